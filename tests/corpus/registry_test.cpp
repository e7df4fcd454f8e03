// The counts the script sees and the records behind them.
#include <gtest/gtest.h>

#include "corpus/corpus.h"

namespace evoplug::corpus {

TEST(Registry, CountsAsTheScriptSeesThemAndNumbersOnlyTheNewestRecord) {
    Registry r(4);
    const auto shrink = &Registry::shrink, grow = &Registry::grow, countUp = &Registry::countUp;
    // countUp keeps a count of its own; shrinking stops at 0, growing and
    // counting at the largest count.
    const std::pair<decltype(grow), int32_t> calls[] = {
        {grow, 1}, {countUp, 1}, {shrink, 0},  {shrink, 0},  {countUp, 2},
        {grow, 1}, {grow, 2},    {grow, 3},    {shrink, 2},  {grow, 3},
        {grow, 4}, {grow, 4},    {countUp, 3}, {countUp, 4}, {countUp, 4}};
    int step = 0;
    for (const auto& [call, count] : calls) EXPECT_EQ((r.*call)(), count * 1024) << step++;
    ASSERT_EQ(r.count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.records()[i].serial, i == 3 ? 4 : 9) << i;
}

// Counted further, the EngineVar would wrap to a negative number.
TEST(Registry, CountsHoldAtTheLargestWholeEngineNumber) {
    Registry r;
    for (int32_t n = 0; n < kLargestCount; ++n) r.countUp();
    EXPECT_EQ(r.countUp(), 2097151 * 1024);
}

}  // namespace evoplug::corpus
