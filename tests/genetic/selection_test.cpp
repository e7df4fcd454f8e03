#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

class SelectionTest : public GeneticTest {
  protected:
    void SetUp() override {
        GeneticTest::SetUp();
        pop = makePopulation();
        // 0 is the best and 1 the worst.
        setAll(*pop,
               {250, 250, 170, 0, 0, 0, 100, 120, 140, 30, 200, 90, 240, 10, 60, 128, 128, 128});
    }
    std::unique_ptr<Population> pop;
    CoutCapture quiet;
};

TEST_F(SelectionTest, HeaderShowsGeneZeroOfBestAndWorstAndUnknownKindsChangeNothing) {
    const Genes before = allGenes(*pop);
    for (int32_t kind : {6, -1}) {
        runtime::generator().seed(5);
        CoutCapture out;
        select(*pop, kind);
        EXPECT_EQ(out.text(), "\nHallo Selektion\n\nMax Fitness 0 = 250\nMin Fitness 0 = 0\n");
        EXPECT_EQ(runtime::generator().state(), 5u) << kind;
        EXPECT_EQ(allGenes(*pop), before) << kind;
    }
}

TEST_F(SelectionTest, MinMaxSubstCopiesAndMinMaxCrossCrossesTheBestIntoTheWorst) {
    const float worst = pop->fitnessValues[1];
    runtime::generator().seed(1);  // cut 2, coin 1
    select(*pop, kMinMaxCross);
    EXPECT_EQ(genesOf(*pop, 1), (Genes{0, 0, 170}));
    EXPECT_EQ(pop->fitnessValues[1], worst) << "the statistics pass rates it";
    select(*pop, kMinMaxSubst);
    EXPECT_EQ(genesOf(*pop, 1), (Genes{250, 250, 170}));
    EXPECT_EQ(pop->individuals[1].distance, (GeneArray<int32_t>{5, 5, 7}));
    EXPECT_EQ(pop->fitnessValues[1], pop->fitnessValues[0]);

    setAll(*pop, Genes(18, 9));  // best and worst are both 0: copied onto itself
    const float rated = pop->fitnessValues[0];
    pop->fitnessValues[0] = -1.0f;
    select(*pop, kMinMaxSubst);
    EXPECT_EQ(genesOf(*pop, 0), (Genes{9, 9, 9}));
    EXPECT_EQ(pop->fitnessValues[0], rated);
}

TEST_F(SelectionTest, CrossIntoTakesTheTailFromTheCutOnHeadsAndTheHeadUpToItOnTails) {
    // Seeds giving cut 1 coin 1, cut 1 coin 0, cut 2 coin 1, cut 0 coin 0, cut 2 coin 0.
    const std::pair<uint32_t, Genes> cases[] = {{6, {0, 250, 170}},
                                                {7, {250, 250, 0}},
                                                {1, {0, 0, 170}},
                                                {2, {250, 0, 0}},
                                                {11, {250, 250, 170}}};
    for (const auto& [seed, genes] : cases) {
        SetUp();
        const float unchanged = pop->fitnessValues[1];
        runtime::generator().seed(seed);
        crossInto(*pop, 0, 1);
        EXPECT_EQ(genesOf(*pop, 1), genes) << seed;
        for (size_t g = 0; g < 3; ++g)
            EXPECT_EQ(pop->individuals[1].distance[g], std::abs(kTarget[g] - genes[g])) << seed;
        EXPECT_EQ(genesOf(*pop, 0), (Genes{250, 250, 170})) << seed;
        EXPECT_EQ(pop->fitnessValues[1], unchanged) << "crossInto does not rate";
        EXPECT_EQ(runtime::generator().state(), Draws::after(seed, 2)) << seed;
    }
}

TEST_F(SelectionTest, TournamentRunsTenRoundsAgainstTheBestKeepingGenesOnEqualDistance) {
    // Seed 11 draws contenders 2, 5, 2, 0, 1, 0, 4, 2, 0, 5, each followed by
    // three challengers; the best (0) cannot be beaten at distance 0.
    runtime::generator().seed(11);
    select(*pop, kTournament);
    EXPECT_EQ(allGenes(*pop), (Genes{250, 250, 170, 224, 184, 87, 214, 226, 148, 30, 200, 90, 240,
                                     111, 253, 164, 222, 128}));
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
    // 2 and 3 share the lowest fitness apart from the worst (1): 2 is taken.
    setAll(*pop,
           {250, 250, 170, 0, 0, 0, 100, 110, 100, 110, 100, 100, 200, 200, 150, 255, 255, 177});
    ASSERT_EQ(pop->fitnessValues[2], pop->fitnessValues[3]);
    runtime::generator().seed(6);  // cut 1, coin 1
    select(*pop, kNeighbour);
    EXPECT_EQ(genesOf(*pop, 1), (Genes{0, 110, 100}));
    EXPECT_FLOAT_EQ(pop->fitnessValues[1], (0.0f + (1 - 145.0f / 255) + (1 - 77.0f / 255)) / 3);

    for (int32_t i = 0; i < 6; ++i) setGenes(*pop, i, {255, 255, 177});
    setAll(*pop, {0, 0, 0});  // no other individual below 1.0: no candidate
    const Genes before = allGenes(*pop);
    runtime::generator().seed(3);
    select(*pop, kNeighbour);
    EXPECT_EQ(allGenes(*pop), before);
    EXPECT_EQ(runtime::generator().state(), 3u);
}

TEST_F(SelectionTest, RouletteWheelGivesBelowAverageATenPercentChanceAtADonor) {
    setAll(*pop, {255, 255, 177, 0, 0, 0, 250, 250, 170, 10, 10, 10, 5, 5, 5, 245, 245, 160});
    setGenes(*pop, 3, {255, 255, 177});  // as a mutation would: now above the old average
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

    const Genes before = allGenes(*pop);
    // Everyone below, no donor: each draws its chance, nobody changes.
    pop->averageFitness = 2.0f;
    rouletteWheel(*pop);
    EXPECT_TRUE(pop->aboveAverageList.empty());
    EXPECT_EQ(allGenes(*pop), before);
    EXPECT_EQ(runtime::generator().state(), Draws::after(163, 5 + 6));
}

TEST_F(SelectionTest, ExcentricCopiesTheMostExcentricFitEnoughIndividual) {
    pop = makePopulation({6, kGeneClosenessFitness, 0, 0, 0, 0, 2000});  // genes up to 1999
    setAll(*pop, {1999, 1999, 1999, 0, 0, 0, 1400, 1400, 1400, 850, 850, 850, 700, 700, 700, 255,
                  255, 177});
    // Means 867, 867, 854; total deviations 3409, 2588, 1612, 38, 488, 1901.
    // The worst (0) is the most excentric but below average: 1 is copied.
    ASSERT_EQ(pop->worstIndex, 0);
    ASSERT_EQ(pop->bestIndex, 5);
    select(*pop, kExcentric);
    EXPECT_EQ(pop->excentricityValues, (std::vector<float>{3, 2, 1, 0, 0, 1}));
    EXPECT_EQ(pop->excentricityList[4].index, 1);
    EXPECT_EQ(pop->excentricityList[5].index, 0);
    EXPECT_EQ(genesOf(*pop, 0), (Genes{0, 0, 0}));

    setGenes(*pop, 0, {1999, 1999, 1999});
    pop->averageFitness = 2.0f;  // nobody at or above the average: no change
    select(*pop, kExcentric);
    EXPECT_EQ(genesOf(*pop, 0), (Genes{1999, 1999, 1999}));
}

}  // namespace
}  // namespace evoplug::genetic::testing
