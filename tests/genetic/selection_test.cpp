#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

class SelectionTest : public GeneticTest {
  protected:
    // Six individuals; 0 is the best and 1 the worst after the pass.
    std::unique_ptr<Population> sixIndividuals() {
        auto pop = makePopulation();
        setGenes(*pop, 0, {250, 250, 170});
        setGenes(*pop, 1, {0, 0, 0});
        setGenes(*pop, 2, {100, 120, 140});
        setGenes(*pop, 3, {30, 200, 90});
        setGenes(*pop, 4, {240, 10, 60});
        setGenes(*pop, 5, {128, 128, 128});
        refresh(*pop);
        return pop;
    }
    std::vector<GeneArray<int32_t>> allGenes(const Population& pop) {
        std::vector<GeneArray<int32_t>> genes;
        for (const Individual& ind : pop.individuals) genes.push_back(ind.genes);
        return genes;
    }
};

TEST_F(SelectionTest, HeaderShowsGeneZeroOfBestAndWorstAndUnknownKindsChangeNothing) {
    auto pop = sixIndividuals();
    ASSERT_EQ(pop->bestIndex, 0);
    ASSERT_EQ(pop->worstIndex, 1);
    const auto before = allGenes(*pop);
    for (int32_t kind : {6, -1}) {
        runtime::generator().seed(5);
        CoutCapture out;
        select(*pop, kind);
        EXPECT_EQ(out.text(), "\nHallo Selektion\n\nMax Fitness 0 = 250\nMin Fitness 0 = 0\n");
        EXPECT_EQ(runtime::generator().state(), 5u) << "kind " << kind << " drew";
        EXPECT_EQ(allGenes(*pop), before);
    }
}

TEST_F(SelectionTest, MinMaxSubstCopiesTheBestIntoTheWorstEvenOntoItself) {
    auto pop = sixIndividuals();
    CoutCapture out;
    select(*pop, kMinMaxSubst);
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{250, 250, 170}));
    EXPECT_EQ(pop->individuals[1].distance, (GeneArray<int32_t>{5, 5, 7}));
    EXPECT_EQ(pop->fitnessValues[1], pop->fitnessValues[0]);

    // All equal: best and worst are both individual 0.
    for (int32_t i = 0; i < 6; ++i) setGenes(*pop, i, {9, 9, 9});
    refresh(*pop);
    ASSERT_EQ(pop->bestIndex, pop->worstIndex);
    const float rated = pop->fitnessValues[0];
    pop->fitnessValues[0] = -1.0f;
    select(*pop, kMinMaxSubst);
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{9, 9, 9}));
    EXPECT_EQ(pop->fitnessValues[0], rated);
}

TEST_F(SelectionTest, CrossIntoTakesTheTailFromTheCutOnHeadsAndTheHeadUpToItOnTails) {
    struct Case {
        uint32_t seed;  // gives cut point p and coin c
        std::vector<int32_t> genes;
    };
    const Case cases[] = {
        {6, {0, 250, 170}},    // p 1, c 1: genes 1..2
        {7, {250, 250, 0}},    // p 1, c 0: genes 0..1
        {1, {0, 0, 170}},      // p 2, c 1: gene 2 only
        {2, {250, 0, 0}},      // p 0, c 0: gene 0 only
        {11, {250, 250, 170}}  // p 2, c 0: every gene
    };
    for (const Case& c : cases) {
        auto pop = sixIndividuals();
        const float unchanged = pop->fitnessValues[1];
        runtime::generator().seed(c.seed);
        crossInto(*pop, 0, 1);
        EXPECT_EQ(genesOf(*pop, 1), c.genes) << "seed " << c.seed;
        for (size_t g = 0; g < 3; ++g)
            EXPECT_EQ(pop->individuals[1].distance[g], std::abs(kTarget[g] - c.genes[g]));
        EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{250, 250, 170}));
        EXPECT_EQ(pop->fitnessValues[1], unchanged) << "crossInto does not rate";
        Draws d(c.seed);
        d.next();
        d.next();
        EXPECT_EQ(runtime::generator().state(), d.state());
    }
}

TEST_F(SelectionTest, TournamentRunsTenRoundsAgainstTheBest) {
    auto pop = sixIndividuals();
    // Seed 11 draws contenders 2, 5, 2, 0, 1, 0, 4, 2, 0, 5, each followed by
    // three challengers; the best (0) cannot be beaten at distance 0.
    runtime::generator().seed(11);
    CoutCapture out;
    select(*pop, kTournament);
    const std::vector<GeneArray<int32_t>> expected = {{250, 250, 170}, {224, 184, 87},
                                                      {214, 226, 148}, {30, 200, 90},
                                                      {240, 111, 253}, {164, 222, 128}};
    EXPECT_EQ(allGenes(*pop), expected);
    EXPECT_EQ(pop->own.genes, (GeneArray<int32_t>{164, 222, 76}));  // the last challengers
    EXPECT_EQ(pop->fitnessValues[4], pop->individuals[4].evaluateFitness(pop->fitnessKind));
}

TEST_F(SelectionTest, TournamentRoundKeepsTheGeneOnEqualDistance) {
    auto pop = sixIndividuals();
    setGenes(*pop, 2, {50, 100, 100});
    setGenes(*pop, 3, {62, 132, 100});
    pop->fitnessValues[3] = -1.0f;
    runtime::generator().seed(0);  // challengers 38, 69, 73
    tournamentRound(*pop, 3, 2);
    // 38 is as far from 50 as 62; 69 is closer to 100 than 132; 73 is not
    // closer than 100 itself.
    EXPECT_EQ(genesOf(*pop, 3), (std::vector<int32_t>{62, 69, 100}));
    EXPECT_GE(pop->fitnessValues[3], 0.0f);

    runtime::generator().seed(0);
    tournamentRound(*pop, 2, 2);
    EXPECT_EQ(genesOf(*pop, 2), (std::vector<int32_t>{50, 100, 100}));
}

TEST_F(SelectionTest, NeighbourCrossesTheLowestOtherIndividualIntoTheWorst) {
    auto pop = sixIndividuals();
    setGenes(*pop, 2, {100, 110, 100});
    setGenes(*pop, 3, {110, 100, 100});  // the same fitness as 2
    setGenes(*pop, 4, {200, 200, 150});
    setGenes(*pop, 5, {255, 255, 177});
    refresh(*pop);
    ASSERT_EQ(pop->worstIndex, 1);
    ASSERT_EQ(pop->fitnessValues[2], pop->fitnessValues[3]);
    runtime::generator().seed(6);  // p 1, c 1
    CoutCapture out;
    select(*pop, kNeighbour);
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{0, 110, 100}));
    EXPECT_EQ(pop->fitnessValues[1], pop->individuals[1].fitness);
    EXPECT_FLOAT_EQ(pop->fitnessValues[1], (0.0f + (1 - 145.0f / 255) + (1 - 77.0f / 255)) / 3);
}

TEST_F(SelectionTest, NeighbourWithoutACandidateBelowOneChangesNothing) {
    auto pop = sixIndividuals();
    for (int32_t i : {0, 2, 3, 4, 5}) setGenes(*pop, i, {255, 255, 177});
    refresh(*pop);
    const auto before = allGenes(*pop);
    runtime::generator().seed(3);
    neighbourSelection(*pop, pop->worstIndex);
    EXPECT_EQ(allGenes(*pop), before);
    EXPECT_EQ(runtime::generator().state(), 3u);
}

TEST_F(SelectionTest, MinMaxCrossLeavesTheRatingToTheStatisticsPass) {
    auto pop = sixIndividuals();
    const float before = pop->fitnessValues[1];
    runtime::generator().seed(1);  // p 2, c 1
    CoutCapture out;
    select(*pop, kMinMaxCross);
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{0, 0, 170}));
    EXPECT_EQ(pop->fitnessValues[1], before);
}

class RouletteTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        pop = makePopulation();
        setGenes(*pop, 0, {255, 255, 177});
        setGenes(*pop, 1, {0, 0, 0});
        setGenes(*pop, 2, {250, 250, 170});
        setGenes(*pop, 3, {10, 10, 10});
        setGenes(*pop, 4, {5, 5, 5});
        setGenes(*pop, 5, {245, 245, 160});
        refresh(*pop);
    }
    std::unique_ptr<Population> pop;
};

TEST_F(RouletteTest, BelowAverageIndividualsMayTakeGenesFromAnAboveAverageOne) {
    // As a mutation would: 3 is now above the unchanged average, so a donor.
    setGenes(*pop, 3, {255, 255, 177});
    // Seed 163: 1 misses (570 % 100 = 70) and draws nothing more; 4 hits (5),
    // takes donor entry 16746 % 4 = 2, i.e. individual 3, cut 0, tails.
    runtime::generator().seed(163);
    rouletteWheel(*pop);
    ASSERT_EQ(pop->aboveAverageList.size(), 4u);
    EXPECT_EQ(pop->aboveAverageList[2].index, 3);
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(genesOf(*pop, 4), (std::vector<int32_t>{255, 5, 5}));
    EXPECT_EQ(pop->individuals[4].distance, (GeneArray<int32_t>{0, 250, 172}));
    EXPECT_EQ(pop->fitnessValues[4], pop->individuals[4].fitness);
    Draws d(163);
    for (int i = 0; i < 5; ++i) d.next();
    EXPECT_EQ(runtime::generator().state(), d.state());
}

TEST_F(RouletteTest, WithoutDonorsNothingIsDrawnOrChanged) {
    const auto before = allGenes(*pop);
    pop->averageFitness = 2.0f;  // everyone below, nobody above
    runtime::generator().seed(163);
    rouletteWheel(*pop);
    EXPECT_TRUE(pop->aboveAverageList.empty());
    EXPECT_EQ(allGenes(*pop), before);
    EXPECT_EQ(runtime::generator().state(), 163u);

    for (int32_t i = 0; i < 6; ++i) setGenes(*pop, i, {7, 7, 7});
    refresh(*pop);
    rouletteWheel(*pop);
    EXPECT_TRUE(pop->aboveAverageList.empty());
}

TEST_F(SelectionTest, ExcentricWithEqualExcentricitiesTakesTheLastFitEnoughIndex) {
    auto pop = sixIndividuals();
    setGenes(*pop, 4, {200, 200, 150});
    setGenes(*pop, 5, {60, 60, 60});
    refresh(*pop);
    ASSERT_LT(pop->fitnessValues[5], pop->averageFitness);
    ASSERT_GE(pop->fitnessValues[4], pop->averageFitness);
    CoutCapture out;
    select(*pop, kExcentric);
    for (float e : pop->excentricityValues) EXPECT_EQ(e, 0.0f);
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{200, 200, 150}));
    EXPECT_EQ(pop->fitnessValues[1], pop->fitnessValues[4]);
}

TEST_F(SelectionTest, ExcentricCopiesTheMostExcentricFitEnoughIndividual) {
    PopulationOptions o;
    o.maxGene = 2000;  // wide genes: deviations of a thousand and more
    auto pop = makePopulation(o);
    setGenes(*pop, 0, {1999, 1999, 1999});
    setGenes(*pop, 1, {1900, 1900, 1900});
    setGenes(*pop, 2, {1800, 1800, 1800});
    setGenes(*pop, 3, {255, 255, 177});
    setGenes(*pop, 4, {1700, 1700, 1700});
    setGenes(*pop, 5, {350, 350, 350});
    refresh(*pop);
    // Means 1334, 1334, 1321; total deviations 2008, 1738, 1438, 3302, 1138, 2939.
    ASSERT_EQ(pop->geneMeans, (std::vector<int32_t>{1334, 1334, 1321}));
    ASSERT_EQ(pop->worstIndex, 0);
    CoutCapture out;
    excentricSelection(*pop);
    EXPECT_EQ(pop->excentricityValues, (std::vector<float>{2, 1, 1, 3, 1, 2}));
    const int32_t order[] = {1, 2, 4, 0, 5, 3};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(pop->excentricityList[i].index, order[i]);
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{255, 255, 177}));

    // Nobody at or above the average: no change.
    setGenes(*pop, 0, {1999, 1999, 1999});
    pop->averageFitness = 2.0f;
    excentricSelection(*pop);
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{1999, 1999, 1999}));
}

}  // namespace
}  // namespace evoplug::genetic::testing
