#include "corpus/corpus.h"

#include <gtest/gtest.h>

namespace evoplug::corpus {
namespace {

class CorpusTest : public ::testing::Test {
  protected:
    void SetUp() override { registry() = Registry{}; }
    void TearDown() override { registry() = Registry{}; }
    const Registry& r = registry();
};

TEST_F(CorpusTest, EachGrowthBuildsAFreshArrayNumberingOnlyTheNewest) {
    EXPECT_EQ(grow(), 1024);
    EXPECT_EQ(grow(), 2048);
    EXPECT_EQ(grow(), 3072);
    ASSERT_EQ(r.corpusCount, 3);
    EXPECT_EQ(r.corpusArray[0].serial, 9);
    EXPECT_EQ(r.corpusArray[1].serial, 9);
    EXPECT_EQ(r.corpusArray[2].serial, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.corpusArray[i].initValue, 9);

    // Growing after a shrink renumbers: the record that was newest is rebuilt.
    EXPECT_EQ(shrink(), 2048);
    EXPECT_EQ(grow(), 3072);
    EXPECT_EQ(r.corpusArray[1].serial, 9);
    EXPECT_EQ(r.corpusArray[2].serial, 3);
}

// The counts themselves are checked through the exports end to end.
TEST_F(CorpusTest, ShrinkingToEmptyReleasesTheArrayAndNumberingStartsAgain) {
    grow();
    grow();
    shrink();
    shrink();
    EXPECT_EQ(shrink(), 0);
    EXPECT_EQ(r.corpusArray, nullptr);
    EXPECT_EQ(r.corpusCount, 0);
    grow();
    EXPECT_EQ(r.corpusArray[0].serial, 1);
}

// Run under a leak checker this shows that each replaced array is released.
TEST_F(CorpusTest, ManyGrowthsKeepOnlyTheNewestArray) {
    for (int i = 1; i <= 1000; ++i) ASSERT_EQ(grow(), i * 1024);
    EXPECT_EQ(r.corpusArray[999].serial, 1000);
    EXPECT_EQ(r.corpusArray[998].serial, 9);
}

}  // namespace
}  // namespace evoplug::corpus
