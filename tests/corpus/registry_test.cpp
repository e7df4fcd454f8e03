// The counts the script sees and the records behind them.
#include <gtest/gtest.h>

#include "corpus/corpus.h"

namespace evoplug::corpus {

TEST(Registry, CountsAsTheScriptSeesThemAndNumbersOnlyTheNewestRecord) {
    Registry r;
    const auto shrink = &Registry::shrink, grow = &Registry::grow, countUp = &Registry::countUp;
    // countUp keeps a count of its own; shrinking stops at 0.
    const std::pair<decltype(grow), int32_t> calls[] = {{grow, 1},   {countUp, 1}, {shrink, 0},
                                                        {shrink, 0}, {countUp, 2}, {grow, 1},
                                                        {grow, 2},   {grow, 3},    {countUp, 3}};
    int step = 0;
    for (const auto& [call, count] : calls) EXPECT_EQ((r.*call)(), count * 1024) << step++;
    // Each growth builds a fresh array of initial records and numbers only the newest.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.records()[i].serial, i == 2 ? 3 : 9) << i;
}

}  // namespace evoplug::corpus
