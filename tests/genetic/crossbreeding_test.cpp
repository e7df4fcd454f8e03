#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

using CrossbreedingTest = GeneticTest;

TEST_F(CrossbreedingTest, SortingListsEveryEntryFlushingEachLine) {
    auto pop = makePopulation(PopulationOptions{4});
    pop->fitnessList = {{0, 0.5f}, {1, 0.25f}, {2, 0.5f}, {3, 0.125f}};
    FlushCounter out;
    sortFitnessList(*pop);
    EXPECT_EQ(out.str(),
              "0.125\t\t3\n0.25\t\t1\n0.5\t\t0\n0.5\t\t2\nJetzt ist der Vektor sortiert");
    EXPECT_EQ(out.flushes, 4);
    // Equal values keep index order whatever order they come in.
    pop->fitnessList = {{2, 0.5f}, {0, 0.5f}, {1, 0.5f}, {3, 0.5f}};
    sortFitnessList(*pop);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(pop->fitnessList[static_cast<size_t>(i)].index, i);
}

TEST_F(CrossbreedingTest, AverageGeneTruncates) {
    auto pop = makePopulation(PopulationOptions{2});
    const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {253, 254}, {7, 7}};
    const int32_t expected[] = {0, 253, 7};
    for (size_t c = 0; c < 3; ++c) {
        setGenes(*pop, 0, {cases[c].first, 0, 0});
        setGenes(*pop, 1, {cases[c].second, 0, 0});
        averageGene(*pop, 0, 1, 0);
        EXPECT_EQ(genesOf(*pop, 0)[0], expected[c]);
        EXPECT_EQ(genesOf(*pop, 1)[0], cases[c].second);
    }
}

TEST_F(CrossbreedingTest, EnrichMovesTheParentFartherFromTheBestTheFitterOnATie) {
    auto pop = makePopulation(PopulationOptions{4});
    setGenes(*pop, 0, {200, 10, 50});   // hi
    setGenes(*pop, 1, {100, 101, 60});  // lo
    setGenes(*pop, 3, {150, 100, 50});  // best
    pop->bestIndex = 3;
    pop->fitnessValues[0] = 0.6f;
    pop->fitnessValues[1] = 0.4f;
    enrich(*pop, 1, 0);
    // Gene 0: both 50 away, hi moves to 150. Gene 1: hi is farther, becomes
    // (10 + 101) / 2. Gene 2: lo is farther and moves to 55.
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{150, 55, 50}));
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{100, 101, 55}));
    EXPECT_EQ(pop->fitnessValues[0], 0.6f) << "the statistics pass rates them";
    EXPECT_EQ(pop->individuals[1].distance[2], 117) << "distances stay";

    // Equal fitness: b counts as the fitter one.
    setGenes(*pop, 0, {200, 0, 0});
    setGenes(*pop, 1, {100, 0, 0});
    pop->fitnessValues[0] = pop->fitnessValues[1] = 0.5f;
    enrich(*pop, 0, 1);
    EXPECT_EQ(genesOf(*pop, 0)[0], 200);
    EXPECT_EQ(genesOf(*pop, 1)[0], 150);
}

TEST_F(CrossbreedingTest, EnrichWithTheBestItselfMovesOnlyTheOther) {
    auto pop = makePopulation(PopulationOptions{4});
    setGenes(*pop, 2, {100, 100, 100});
    setGenes(*pop, 3, {10, 100, 190});
    pop->bestIndex = 2;
    enrich(*pop, 2, 3);
    EXPECT_EQ(genesOf(*pop, 2), (std::vector<int32_t>{100, 100, 100}));
    EXPECT_EQ(genesOf(*pop, 3), (std::vector<int32_t>{55, 100, 145}));
}

TEST_F(CrossbreedingTest, ExchangeSwapsEveryOtherGeneFromTheDrawnPhase) {
    auto pop = makePopulation(PopulationOptions{4});
    for (uint32_t seed : {0u, 1u}) {  // first draws 38 (phase 0) and 41 (phase 1)
        setGenes(*pop, 0, {1, 2, 3});
        setGenes(*pop, 1, {4, 5, 6});
        const auto distance0 = pop->individuals[0].distance;
        pop->fitnessValues[0] = pop->fitnessValues[1] = -1.0f;
        pop->fitnessKind = 7;  // rates 0.0 and leaves distances alone
        runtime::generator().seed(seed);
        exchangeGenes(*pop, 0, 1);
        pop->fitnessKind = kGeneClosenessFitness;
        if (seed == 0) {
            EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{1, 5, 3}));
            EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{4, 2, 6}));
        } else {
            EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{4, 2, 6}));
            EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{1, 5, 3}));
        }
        EXPECT_EQ(pop->individuals[0].distance, distance0);
        EXPECT_EQ(pop->fitnessValues[0], 0.0f);
        EXPECT_EQ(pop->fitnessValues[1], 0.0f);
    }
}

// Six individuals ranked 3, 1, 5, 0 (the weakest four), then 2 and 4; five
// ranked 3, 1, 0, 2, 4. Rank r carries genes from 40 r (+ 7 on odd ranks).
std::unique_ptr<Population> ranked(int32_t crossover, int32_t popSize = 6) {
    PopulationOptions o;
    o.popSize = popSize;
    o.crossoverCount = crossover;
    auto pop = makePopulation(o);
    const int32_t sixRanks[] = {3, 1, 5, 0, 2, 4};
    const int32_t fiveRanks[] = {3, 1, 0, 2, 4};
    const int32_t* rank = popSize == 6 ? sixRanks : fiveRanks;
    for (int32_t r = 0; r < popSize; ++r) {
        const int32_t g = 40 * r + (r % 2) * 7;
        setGenes(*pop, rank[r], {g, g + 1, g + 2});
    }
    refresh(*pop);
    return pop;
}

TEST_F(CrossbreedingTest, KindsWithoutMatingAndZeroPairsChangeAndWriteNothing) {
    for (int32_t kind : {0, 3, 4, 5, -1}) {
        auto pop = ranked(3);
        const std::vector<Individual> before = pop->individuals;
        runtime::generator().seed(9);
        CoutCapture out;
        crossbreed(*pop, kind);
        EXPECT_EQ(out.text(), "") << "kind " << kind;
        EXPECT_EQ(runtime::generator().state(), 9u);
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(pop->individuals[i].genes, before[i].genes);
    }
    for (int32_t crossover : {0, -2}) {
        auto pop = ranked(crossover);
        CoutCapture out;
        crossbreed(*pop, kElite);
        crossbreed(*pop, kEnrichment);
        EXPECT_EQ(out.text(), "");
        EXPECT_EQ(pop->fitnessList[0].index, 0) << "not even sorted";
    }
}

TEST_F(CrossbreedingTest, EnrichmentMatesTheWeakestPairsByRank) {
    auto pop = ranked(2);
    ASSERT_EQ(pop->bestIndex, 4);  // genes 207..209
    CoutCapture out;
    crossbreed(*pop, kEnrichment);
    EXPECT_EQ(occurrences(out.text(), "Jetzt ist der Vektor sortiert"), 2u);
    // Pair 0 is 3 (genes 0..2) and 1 (47..49): 3 is farther from the best and
    // moves to the mean. Pair 1 is 5 (80..82) and 0 (127..129).
    EXPECT_EQ(genesOf(*pop, 3), (std::vector<int32_t>{23, 24, 25}));
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{47, 48, 49}));
    EXPECT_EQ(genesOf(*pop, 5), (std::vector<int32_t>{103, 104, 105}));
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{127, 128, 129}));
    EXPECT_EQ(genesOf(*pop, 2), (std::vector<int32_t>{160, 161, 162}));
}

TEST_F(CrossbreedingTest, ElitePassesRankByTheSameListAndStopAtHalfThePopulation) {
    auto pop = ranked(9, 5);  // nine pairs asked, two fit
    runtime::generator().seed(0);
    CoutCapture out;
    crossbreed(*pop, kElite);
    const std::string text = out.text();
    EXPECT_EQ(occurrences(text, "Jetzt ist der Vektor sortiert"), 4u);
    // Every listing is the ranking of the last statistics pass.
    const std::string listing = text.substr(0, text.find("Jetzt"));
    EXPECT_EQ(occurrences(text, listing), 4u);
    EXPECT_EQ(listing.substr(listing.rfind('\t') + 1), "4\n") << "fittest ranked last";
    // Exactly one phase draw per exchanged pair.
    Draws d(0);
    d.next();
    d.next();
    EXPECT_EQ(runtime::generator().state(), d.state());
    // Seed 0: pair (3, 1) exchanges gene 1 (phase 0), pair (0, 2) genes 0
    // and 2 (phase 1); enrichment then moves whichever is farther from 4.
    EXPECT_EQ(genesOf(*pop, 3), (std::vector<int32_t>{23, 48, 25}));
    EXPECT_EQ(genesOf(*pop, 1), (std::vector<int32_t>{47, 24, 49}));
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{127, 104, 129}));
    EXPECT_EQ(genesOf(*pop, 2), (std::vector<int32_t>{103, 128, 105}));
    EXPECT_EQ(genesOf(*pop, 4), (std::vector<int32_t>{160, 161, 162})) << "never mated";
}

}  // namespace
}  // namespace evoplug::genetic::testing
