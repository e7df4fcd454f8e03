// Every selection and crossbreed pair, driven through the loaded plug-in as a
// level's script drives it, against known-good transcripts: what the report
// says, what the script's variables receive and where the entities stand.
// EVOPLUG_UPDATE_GOLDEN=1 rewrites the transcripts.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <tuple>

#include "plugin_fixture.h"
#include "support/stdout_capture.h"

namespace evoplug::e2e {
namespace {

int64_t seconds = 0;
int64_t steppedClock() { return seconds; }

using StrategiesTest = PluginTestWith<std::tuple<int, int>>;

TEST_P(StrategiesTest, GivesItsKnownTranscript) {
    const auto [selection, crossbreed] = GetParam();
    level.apply({6, 3, 500, 2});
    seconds = 1700000000;
    call().SetRuntimeClock(&steppedClock);
    std::ostringstream got;
    // The report (captured at the descriptor: the plug-in may have its own
    // stream), then everything the script can see.
    auto step = [&](const char* title, auto calls) {
        testing::StdoutCapture captured;
        calls();
        std::cout.flush();
        std::fflush(stdout);
        got << title << '\n'
            << captured.stop() << "selStr " << engine.text("selStr") << ", crossStr "
            << engine.text("crossStr") << "\naverage " << *engine.var("average") << " minimal "
            << *engine.var("minimal") << " maximal " << *engine.var("maximal") << "\nbigarray";
        for (int i = 0; i < 18; ++i) got << ' ' << engine.var("bigarray")[i];
        got << "\nentities";
        for (const int32_t* e : engine.entityRecords())
            for (int w : {4, 5, 6, 23, 22, 21}) got << ' ' << e[w];
        got << '\n';
    };
    step("== start", [&] { level.begin(*plugin, selection, crossbreed); });
    for (int g = 1; g <= 3; ++g) {
        seconds += g % 2;  // two generations within one second
        step("== generation", [&] { call().evolution(0, 0); });
    }
    call().SetRuntimeClock(nullptr);

    const std::string name = std::string(EVOPLUG_SOURCE_DIR) + "/tests/e2e/golden/" +
                             std::to_string(selection) + "-" + std::to_string(crossbreed) + ".txt";
    if (std::getenv("EVOPLUG_UPDATE_GOLDEN") != nullptr)
        std::ofstream(name, std::ios::binary) << got.str();
    std::ifstream file(name, std::ios::binary);
    std::istringstream a(got.str());
    for (int line = 1; a || file; ++line) {  // the first line that differs
        std::string lineA, lineB;
        std::getline(a, lineA);
        std::getline(file, lineB);
        ASSERT_EQ(lineA, lineB) << name << ", line " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPair, StrategiesTest,
                         ::testing::Combine(::testing::Range(0, 6), ::testing::Range(0, 5)));

}  // namespace
}  // namespace evoplug::e2e
