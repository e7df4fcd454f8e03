// Every selection and crossbreed pair, driven through the loaded plug-in as a
// level's script drives it. A transcript holds what the report says, what the
// script's variables receive and where the entities stand. Every run obeys
// rules that do not come from the library: each generation publishes the
// level's verdicts on the population it started from, genes stay in range,
// and each individual has one entity. The pairs with crossbreeds 0, 1 and 2
// must match known-good transcripts; crossbreeds 3 and 4 do not mate either,
// so they must give crossbreed 0's transcript but for the crossbreed's name.
// EVOPLUG_UPDATE_GOLDEN=1 rewrites the known-good transcripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine.h"
#include "level.h"
#include "plugin.h"
#include "support/output_capture.h"

namespace evoplug::e2e {
namespace {

constexpr int kIndividuals = 6;

int64_t seconds = 0;
int64_t steppedClock() { return seconds; }

// The report a call writes, captured at the descriptor: the plug-in may have
// its own stream.
template <typename Calls>
std::string reportOf(Calls calls) {
    testing::OutputCapture captured;
    calls();
    std::cout.flush();
    std::fflush(stdout);
    return captured.stop();
}

// The level's verdicts on the genes at words 3 i, 3 i + 1 and 3 i + 2, each
// checked to lie in 0..254.
std::vector<int32_t> verdictsOn(const host::Level& level, const std::vector<int32_t>& words) {
    EXPECT_EQ(words.size(), 3u * kIndividuals);
    std::vector<int32_t> verdicts;
    for (size_t at = 0; at + 2 < words.size(); at += 3) {
        int genes[3];
        for (size_t k = 0; k < 3; ++k) {
            EXPECT_GE(words[at + k], 0) << "word " << at + k;
            EXPECT_LE(words[at + k], EVOPLUG_HIGHEST_GENE * host::kOne) << "word " << at + k;
            genes[k] = words[at + k] / host::kOne;
        }
        verdicts.push_back(level.verdictOf(genes[0], genes[1], genes[2]));
    }
    return verdicts;
}

// "maximal", "minimal" and "average" hold the best, worst and mean verdict
// in thousandths.
void expectPublished(host::Engine& engine, const std::vector<int32_t>& verdicts) {
    const auto [worst, best] = std::minmax_element(verdicts.begin(), verdicts.end());
    const int64_t sum = std::accumulate(verdicts.begin(), verdicts.end(), int64_t{0});
    EXPECT_EQ(*engine.var("maximal"), *best * 1000);
    EXPECT_EQ(*engine.var("minimal"), *worst * 1000);
    EXPECT_EQ(*engine.var("average"), sum * 1000 / kIndividuals);
    EXPECT_LE(*engine.var("minimal"), *engine.var("average"));
    EXPECT_LE(*engine.var("average"), *engine.var("maximal"));
}

void record(std::ostream& out, const char* title, const std::string& report, host::Engine& e) {
    out << title << '\n'
        << report << "selStr " << e.text("selStr") << ", crossStr " << e.text("crossStr")
        << "\naverage " << *e.var("average") << " minimal " << *e.var("minimal") << " maximal "
        << *e.var("maximal") << "\nbigarray";
    for (int i = 0; i < 3 * kIndividuals; ++i) out << ' ' << e.var("bigarray")[i];
    out << "\nentities";
    for (const int32_t* entity : e.entityRecords())
        for (int w : {4, 5, 6, 23, 22, 21}) out << ' ' << entity[w];
    out << '\n';
}

// Three generations with these strategies, the rules checked on the way.
std::string transcript(const host::Plugin& plugin, int selection, int crossbreed) {
    const host::Exports& x = plugin.exports();
    x.ResetPluginState();
    host::Engine engine;
    host::Level level(engine, {kIndividuals, 3, 500, 2});
    seconds = 1700000000;
    x.SetRuntimeClock(&steppedClock);
    std::ostringstream out;
    record(out, "== start", reportOf([&] { level.begin(plugin, selection, crossbreed); }), engine);
    std::vector<int32_t> genes;
    for (const int32_t* entity : engine.entityRecords())
        genes.insert(genes.end(), {entity[EVOPLUG_ENTITY_GENE0], entity[EVOPLUG_ENTITY_GENE1],
                                   entity[EVOPLUG_ENTITY_GENE2]});
    for (int g = 1; g <= 3; ++g) {
        SCOPED_TRACE("generation " + std::to_string(g));
        const std::vector<int32_t> verdicts = verdictsOn(level, genes);
        seconds += g % 2;  // two generations within one second
        record(out, "== generation", reportOf([&] { x.evolution(0, 0); }), engine);
        expectPublished(engine, verdicts);
        EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(kIndividuals));
        EXPECT_EQ(engine.badRemovals(), 0u);
        // Gene k of individual i is at index 3 i + k.
        genes.assign(engine.var("bigarray"), engine.var("bigarray") + 3 * kIndividuals);
    }
    verdictsOn(level, genes);
    x.SetRuntimeClock(nullptr);
    x.ResetPluginState();
    return out.str();
}

class StrategiesTest : public ::testing::TestWithParam<std::tuple<int, int>> {
  protected:
    const std::unique_ptr<host::Plugin> plugin = host::Plugin::load(EVOPLUG_PLUGIN_PATH);
};

TEST_P(StrategiesTest, ObeysTheRulesAndGivesItsKnownTranscript) {
    const auto [selection, crossbreed] = GetParam();
    const std::string got = transcript(*plugin, selection, crossbreed);
    const std::string name = std::string(EVOPLUG_SOURCE_DIR) + "/tests/e2e/golden/" +
                             std::to_string(selection) + "-" + std::to_string(crossbreed) + ".txt";
    if (std::getenv("EVOPLUG_UPDATE_GOLDEN") != nullptr)
        std::ofstream(name, std::ios::binary) << got;
    std::ifstream file(name, std::ios::binary);
    std::istringstream a(got);
    for (int line = 1; a || file; ++line) {  // the first line that differs
        std::string lineA, lineB;
        std::getline(a, lineA);
        std::getline(file, lineB);
        ASSERT_EQ(lineA, lineB) << name << ", line " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(KnownTranscripts, StrategiesTest,
                         ::testing::Combine(::testing::Range(0, 6), ::testing::Range(0, 3)));

using NoMatingTest = StrategiesTest;

TEST_P(NoMatingTest, GivesTheTranscriptOfCrossbreedZeroButForItsName) {
    const auto [selection, crossbreed] = GetParam();
    const std::string got = transcript(*plugin, selection, crossbreed);
    const size_t nameAt = got.find("crossStr ");
    const std::string shown = got.substr(nameAt, got.find('\n', nameAt) - nameAt);
    std::string expected = transcript(*plugin, selection, 0);
    const std::string unchosen = "crossStr ndef";
    for (size_t at = expected.find(unchosen); at != std::string::npos;
         at = expected.find(unchosen, at))
        expected.replace(at, unchosen.size(), shown);
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(CrossbreedsThreeAndFour, NoMatingTest,
                         ::testing::Combine(::testing::Range(0, 6), ::testing::Range(3, 5)));

}  // namespace
}  // namespace evoplug::e2e
