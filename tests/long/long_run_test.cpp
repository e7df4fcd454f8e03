// Long runs through the loaded plug-in: a level that evolves for a long time
// and one that rebuilds its population over and over. The live entities and
// the process's resident memory must stay flat once warmed up.
//
// EVOPLUG_LONG_SCALE divides the iteration counts, for a run under valgrind:
//   EVOPLUG_LONG_SCALE=100 valgrind --leak-check=full --keep-debuginfo=yes
//     build/tests/long_tests
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <streambuf>
#include <string>

#include "../e2e/plugin_fixture.h"

namespace evoplug::e2e {
namespace {

int64_t fixedSeconds() { return 777; }

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

int scaleDivisor() {
    const char* scale = std::getenv("EVOPLUG_LONG_SCALE");
    int divisor = scale != nullptr ? std::atoi(scale) : 1;
    return divisor > 1 ? divisor : 1;
}

int scaled(int count) { return count / scaleDivisor(); }

// Swallows the progress report, which would otherwise run to gigabytes.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

class LongRunTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        engine.setCallLogging(false);
        saved_ = std::cout.rdbuf(&null_);
        call().SetRuntimeClock(&fixedSeconds);
        startUp();
    }
    void TearDown() override { std::cout.rdbuf(saved_); }

    // Runs `step` `count` times; checks the entity count after each and the
    // resident memory after the first tenth against the end.
    template <typename Step>
    void runFlat(const char* what, int count, size_t entities, Step step) {
        const int warmUp = count / 10;
        long warm = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < count; ++i) {
            step(i);
            if (engine.liveEntities() != entities) {
                FAIL() << what << " " << i << ": " << engine.liveEntities() << " live entities";
            }
            if (i + 1 == warmUp) warm = residentKiB();
        }
        const long end = residentKiB();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr, "%s: %d in %.1f s; VmRSS after warm-up %ld KiB, at the end %ld KiB\n",
                     what, count, seconds, warm, end);
        EXPECT_EQ(engine.badRemovals(), 0u);
        // A scaled-down run (under valgrind, whose allocator holds freed
        // blocks back) is for the leak report; its memory is not meaningful.
        if (scaleDivisor() == 1) {
            EXPECT_LE(end - warm, 512) << "resident memory grew by " << end - warm << " KiB";
        }
    }

    std::streambuf* saved_ = nullptr;
    NullBuffer null_;
};

TEST_F(LongRunTest, HundredThousandGenerationsKeepEntitiesAndMemoryFlat) {
    level.apply({.individuals = 200, .mutation = 500, .crossover = 50});
    call().CreateGenotype();
    // Every strategy pair in turn, a new population for each.
    runFlat("generations", scaled(100000), 200, [&](int i) {
        if (i % 10000 == 0) {
            call().SelectCommand(abi::fromInt(0), abi::fromInt(i / 10000 % 6 < 3 ? 1 : -1));
            call().SelectCommand(abi::fromInt(1), abi::fromInt(i / 10000 % 5 < 2 ? 1 : -1));
            call().CreateGenotype();
        }
        call().evolution(0, 0);
    });
}

TEST_F(LongRunTest, TenThousandRecreationsOfTwoHundredKeepEntitiesAndMemoryFlat) {
    level.apply({.individuals = 200});
    runFlat("re-creations", scaled(10000), 200, [&](int) { call().CreateGenotype(); });
    EXPECT_EQ(engine.entitiesRemoved(), engine.entitiesCreated() - 200);
}

}  // namespace
}  // namespace evoplug::e2e
