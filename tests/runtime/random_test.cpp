#include "runtime/random.h"

#include <gtest/gtest.h>

#include "runtime/clock.h"

namespace evoplug::runtime {
namespace {

int64_t fixedClock() { return 0x100000007LL; }  // low 32 bits: 7

TEST(RandomGenerator, FollowsTheRuntimeRecurrence) {
    RandomGenerator g;
    // Unseeded, the runtime starts from state 1.
    EXPECT_EQ(g.next(), 41);
    EXPECT_EQ(g.next(), 18467);
    EXPECT_EQ(g.next(), 6334);
    EXPECT_EQ(g.next(), 26500);
    g.seed(0);
    EXPECT_EQ(g.next(), 38);  // (0 * 214013 + 2531011) >> 16
    EXPECT_EQ(g.next(), 7719);
}

TEST(RandomGenerator, ReseedingRestartsTheSequence) {
    RandomGenerator g;
    g.seed(12345);
    int first[4] = {g.next(), g.next(), g.next(), g.next()};
    g.seed(12345);
    for (int value : first) EXPECT_EQ(g.next(), value);
}

TEST(RandomGenerator, StaysInRangeAcrossTheWrap) {
    RandomGenerator g;
    g.seed(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        int v = g.next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RandomGenerator::kMax);
    }
}

TEST(Clock, SeedsFromTheLowBitsOfAnInstalledClock) {
    setClock(&fixedClock);
    EXPECT_EQ(nowSeconds(), 0x100000007LL);
    seedFromClock();
    EXPECT_EQ(generator().state(), 7u);
    RandomGenerator expected;
    expected.seed(7);
    EXPECT_EQ(draw(), expected.next());

    setClock(nullptr);  // back to the real clock
    EXPECT_GT(nowSeconds(), 1700000000LL);
}

}  // namespace
}  // namespace evoplug::runtime
