#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

const Genes kBest = {250, 250, 170}, kGoal = {255, 255, 177};

class SelectionTest : public GeneticTest {
  protected:
    // 0 is the best and 1 the worst.
    void SetUp() override {
        GeneticTest::SetUp();
        pop = makePopulation();
        setAll(*pop,
               {kBest, {0, 0, 0}, {100, 120, 140}, {30, 200, 90}, {240, 10, 60}, {128, 128, 128}});
    }
    std::unique_ptr<Population> pop;
    CoutCapture quiet;
};

TEST_F(SelectionTest, HeaderShowsGeneZeroOfBestAndWorstAndUnknownKindsChangeNothing) {
    const auto before = allGenes(*pop);
    for (int32_t kind : {6, -1}) {
        runtime::generator().seed(5);
        CoutCapture out;
        select(*pop, kind);
        EXPECT_EQ(out.text(), "\nHallo Selektion\n\nMax Fitness 0 = 250\nMin Fitness 0 = 0\n");
        EXPECT_EQ(runtime::generator().state(), 5u) << kind;
        EXPECT_EQ(allGenes(*pop), before) << kind;
    }
}

TEST_F(SelectionTest, MinMaxSubstCopiesTheBestIntoTheWorstEvenOntoItself) {
    select(*pop, kMinMaxSubst);
    EXPECT_EQ(genesOf(*pop, 1), kBest);
    EXPECT_EQ(pop->individuals[1].distance, (GeneArray<int32_t>{5, 5, 7}));
    EXPECT_EQ(pop->fitnessValues[1], pop->fitnessValues[0]);

    setAll(*pop, std::vector<Genes>(6, {9, 9, 9}));  // best and worst are both 0
    const float rated = pop->fitnessValues[0];
    pop->fitnessValues[0] = -1.0f;
    select(*pop, kMinMaxSubst);
    EXPECT_EQ(genesOf(*pop, 0), (Genes{9, 9, 9}));
    EXPECT_EQ(pop->fitnessValues[0], rated);
}

TEST_F(SelectionTest, CrossIntoTakesTheTailFromTheCutOnHeadsAndTheHeadUpToItOnTails) {
    const std::pair<uint32_t, Genes> cases[] = {
        {6, {0, 250, 170}},    // cut 1, coin 1: genes 1..2
        {7, {250, 250, 0}},    // cut 1, coin 0: genes 0..1
        {1, {0, 0, 170}},      // cut 2, coin 1: gene 2
        {2, {250, 0, 0}},      // cut 0, coin 0: gene 0
        {11, {250, 250, 170}}  // cut 2, coin 0: every gene
    };
    for (const auto& [seed, genes] : cases) {
        SCOPED_TRACE(seed);
        SetUp();
        const float unchanged = pop->fitnessValues[1];
        runtime::generator().seed(seed);
        crossInto(*pop, 0, 1);
        EXPECT_EQ(genesOf(*pop, 1), genes);
        for (size_t g = 0; g < 3; ++g)
            EXPECT_EQ(pop->individuals[1].distance[g], std::abs(kTarget[g] - genes[g]));
        EXPECT_EQ(genesOf(*pop, 0), kBest);
        EXPECT_EQ(pop->fitnessValues[1], unchanged) << "crossInto does not rate";
        EXPECT_EQ(runtime::generator().state(), Draws::after(seed, 2));
    }
}

TEST_F(SelectionTest, TournamentRunsTenRoundsAgainstTheBestKeepingGenesOnEqualDistance) {
    // Seed 11 draws contenders 2, 5, 2, 0, 1, 0, 4, 2, 0, 5, each followed by
    // three challengers; the best (0) cannot be beaten at distance 0.
    runtime::generator().seed(11);
    select(*pop, kTournament);
    EXPECT_EQ(allGenes(*pop), (std::vector<Genes>{kBest,
                                                  {224, 184, 87},
                                                  {214, 226, 148},
                                                  {30, 200, 90},
                                                  {240, 111, 253},
                                                  {164, 222, 128}}));
    EXPECT_EQ(pop->own.genes, (GeneArray<int32_t>{164, 222, 76}));  // the last challengers
    EXPECT_EQ(pop->fitnessValues[4], pop->individuals[4].evaluateFitness(pop->fitnessKind));

    setGenes(*pop, 2, {50, 100, 100});
    setGenes(*pop, 3, {62, 132, 100});
    pop->fitnessValues[3] = -1.0f;
    runtime::generator().seed(0);  // challengers 38 (as far as 62), 69 (closer), 73 (not)
    tournamentRound(*pop, 3, 2);
    EXPECT_EQ(genesOf(*pop, 3), (Genes{62, 69, 100}));
    EXPECT_GE(pop->fitnessValues[3], 0.0f);
}

TEST_F(SelectionTest, NeighbourCrossesTheLowestOtherIndividualIntoTheWorst) {
    // 2 and 3 share the lowest fitness apart from the worst: 2 is taken.
    setAll(*pop, {kBest, {0, 0, 0}, {100, 110, 100}, {110, 100, 100}, {200, 200, 150}, kGoal});
    ASSERT_EQ(pop->fitnessValues[2], pop->fitnessValues[3]);
    runtime::generator().seed(6);  // cut 1, coin 1
    select(*pop, kNeighbour);
    EXPECT_EQ(genesOf(*pop, 1), (Genes{0, 110, 100}));
    EXPECT_FLOAT_EQ(pop->fitnessValues[1], (0.0f + (1 - 145.0f / 255) + (1 - 77.0f / 255)) / 3);

    setAll(*pop, {kGoal, {0, 0, 0}, kGoal, kGoal, kGoal, kGoal});  // no candidate below 1.0
    const auto before = allGenes(*pop);
    runtime::generator().seed(3);
    select(*pop, kNeighbour);
    EXPECT_EQ(allGenes(*pop), before);
    EXPECT_EQ(runtime::generator().state(), 3u);
}

TEST_F(SelectionTest, MinMaxCrossLeavesTheRatingToTheStatisticsPass) {
    const float before = pop->fitnessValues[1];
    runtime::generator().seed(1);  // cut 2, coin 1
    select(*pop, kMinMaxCross);
    EXPECT_EQ(genesOf(*pop, 1), (Genes{0, 0, 170}));
    EXPECT_EQ(pop->fitnessValues[1], before);
}

TEST_F(SelectionTest, RouletteWheelGivesBelowAverageATenPercentChanceAtADonor) {
    setAll(*pop, {kGoal, {0, 0, 0}, kBest, {10, 10, 10}, {5, 5, 5}, {245, 245, 160}});
    setGenes(*pop, 3, kGoal);  // as a mutation would: now above the old average
    // Seed 163: 1 misses (570 % 100 = 70) and draws nothing more; 4 hits (5),
    // takes donor entry 16746 % 4 = 2, i.e. individual 3, cut 0, tails.
    runtime::generator().seed(163);
    select(*pop, kRouletteWheel);
    ASSERT_EQ(pop->aboveAverageList.size(), 4u);
    EXPECT_EQ(pop->aboveAverageList[2].index, 3);
    EXPECT_EQ(genesOf(*pop, 1), (Genes{0, 0, 0}));
    EXPECT_EQ(genesOf(*pop, 4), (Genes{255, 5, 5}));
    EXPECT_EQ(pop->individuals[4].distance, (GeneArray<int32_t>{0, 250, 172}));
    EXPECT_EQ(pop->fitnessValues[4], pop->individuals[4].fitness);
    EXPECT_EQ(runtime::generator().state(), Draws::after(163, 5));

    const auto before = allGenes(*pop);
    pop->averageFitness = 2.0f;  // everyone below, no donor: nothing drawn or changed
    rouletteWheel(*pop);
    EXPECT_TRUE(pop->aboveAverageList.empty());
    EXPECT_EQ(allGenes(*pop), before);
    EXPECT_EQ(runtime::generator().state(), Draws::after(163, 5));
}

TEST_F(SelectionTest, ExcentricCopiesTheMostExcentricFitEnoughIndividual) {
    pop = makePopulation({6, kGeneClosenessFitness, 0, 0, 0, 0, 2000});  // genes up to 1999
    const Genes far = {1999, 1999, 1999};
    setAll(*pop, {far, {0, 0, 0}, {1400, 1400, 1400}, {850, 850, 850}, {700, 700, 700}, kGoal});
    // Means 867, 867, 854; total deviations 3409, 2588, 1612, 38, 488, 1901.
    // The worst (0) is the most excentric but below average: 1 is copied.
    ASSERT_EQ(pop->worstIndex, 0);
    ASSERT_EQ(pop->bestIndex, 5);
    select(*pop, kExcentric);
    EXPECT_EQ(pop->excentricityValues, (std::vector<float>{3, 2, 1, 0, 0, 1}));
    EXPECT_EQ(pop->excentricityList[4].index, 1);
    EXPECT_EQ(pop->excentricityList[5].index, 0);
    EXPECT_EQ(genesOf(*pop, 0), (Genes{0, 0, 0}));

    setGenes(*pop, 0, far);
    pop->averageFitness = 2.0f;  // nobody at or above the average: no change
    select(*pop, kExcentric);
    EXPECT_EQ(genesOf(*pop, 0), far);
}

}  // namespace
}  // namespace evoplug::genetic::testing
