#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

using CrossbreedingTest = GeneticTest;

TEST_F(CrossbreedingTest, SortingListsEveryEntryFlushingEachLine) {
    auto pop = makePopulation({4});
    pop->fitnessList = {{0, 0.5f}, {1, 0.25f}, {2, 0.5f}, {3, 0.125f}};
    CoutSink out;
    sortFitnessList(*pop);
    EXPECT_EQ(out.str(),
              "0.125\t\t3\n0.25\t\t1\n0.5\t\t0\n0.5\t\t2\nJetzt ist der Vektor sortiert");
    EXPECT_EQ(out.flushes, 4);
}

TEST_F(CrossbreedingTest, AverageGeneTruncatesAndEnrichMovesTheParentFartherFromTheBest) {
    auto pop = makePopulation({4});
    for (const auto& [x, y, mean] : {std::tuple{0, 1, 0}, {253, 254, 253}, {7, 7, 7}}) {
        setAll(*pop, {x, 0, 0, y, 0, 0});
        averageGene(*pop, 0, 1, 0);
        EXPECT_EQ(genesOf(*pop, 0)[0], mean) << x << " and " << y;
        EXPECT_EQ(genesOf(*pop, 1)[0], y);
    }
    // hi, lo, -, best. Gene 0: both 50 away, hi moves to 150. Gene 1: hi is
    // farther, becomes (10 + 101) / 2. Gene 2: lo is farther and moves to 55.
    setAll(*pop, {200, 10, 50, 100, 101, 60, 0, 0, 0, 150, 100, 50});
    pop->bestIndex = 3;
    pop->fitnessValues[0] = 0.6f;
    pop->fitnessValues[1] = 0.4f;
    enrich(*pop, 1, 0);
    EXPECT_EQ(genesOf(*pop, 0), (Genes{150, 55, 50}));
    EXPECT_EQ(genesOf(*pop, 1), (Genes{100, 101, 55}));
    EXPECT_EQ(pop->fitnessValues[0], 0.6f) << "the statistics pass rates them";
    EXPECT_EQ(pop->individuals[1].distance[2], 117) << "distances stay";

    setGenes(*pop, 0, {200, 0, 0});
    setGenes(*pop, 1, {100, 0, 0});
    pop->fitnessValues[0] = pop->fitnessValues[1] = 0.5f;  // equal: b counts as fitter
    enrich(*pop, 0, 1);
    EXPECT_EQ(genesOf(*pop, 0)[0], 200);
    EXPECT_EQ(genesOf(*pop, 1)[0], 150);
}

TEST_F(CrossbreedingTest, ExchangeSwapsEveryOtherGeneFromTheDrawnPhase) {
    auto pop = makePopulation({2});
    // Seed 0 draws 38 (phase 0), seed 1 draws 41 (phase 1).
    for (const auto& [seed, swapped] :
         {std::pair{0u, Genes{1, 5, 3, 4, 2, 6}}, {1u, Genes{4, 2, 6, 1, 5, 3}}}) {
        pop->fitnessKind = kGeneClosenessFitness;
        setAll(*pop, {1, 2, 3, 4, 5, 6});
        const auto distance = pop->individuals[0].distance;
        pop->fitnessKind = 7;  // rates 0.0 and leaves distances alone
        runtime::generator().seed(seed);
        exchangeGenes(*pop, 0, 1);
        EXPECT_EQ(allGenes(*pop), swapped) << seed;
        EXPECT_EQ(pop->individuals[0].distance, distance);
        EXPECT_EQ(pop->fitnessValues[0] + pop->fitnessValues[1], 0.0f) << "both rated again";
    }
}

// Rank r (weakest first) carries genes 40 r (+ 7 on odd ranks) and up.
std::unique_ptr<Population> ranked(int32_t crossover, const Genes& byRank) {
    const auto size = static_cast<int32_t>(byRank.size());
    auto pop = makePopulation({size, kGeneClosenessFitness, 0, crossover});
    Genes genes(3 * byRank.size());
    for (int32_t r = 0; r < size; ++r)
        for (int32_t g = 0; g < 3; ++g)
            genes[static_cast<size_t>(3 * byRank[static_cast<size_t>(r)] + g)] =
                40 * r + (r % 2) * 7 + g;
    setAll(*pop, genes);
    return pop;
}

TEST_F(CrossbreedingTest, KindsWithoutMatingAndZeroPairsChangeAndWriteNothing) {
    for (const auto& [kind, pairs] : {std::pair{0, 3}, {3, 3}, {4, 3}, {1, 0}, {2, 0}}) {
        auto pop = ranked(pairs, {3, 1, 5, 0, 2, 4});
        const Genes before = allGenes(*pop);
        runtime::generator().seed(9);
        CoutCapture out;
        crossbreed(*pop, kind);
        EXPECT_EQ(out.text(), "") << "kind " << kind;
        EXPECT_EQ(runtime::generator().state(), 9u) << "kind " << kind;
        EXPECT_EQ(allGenes(*pop), before) << "kind " << kind;
    }
}

TEST_F(CrossbreedingTest, EnrichmentMatesTheWeakestPairsByRank) {
    auto pop = ranked(2, {3, 1, 5, 0, 2, 4});
    CoutCapture out;
    crossbreed(*pop, kEnrichment);
    const std::string listing = out.text().substr(0, out.text().find("sortiert") + 8);
    EXPECT_EQ(out.text(), listing + listing) << "two pairs, two listings";
    // Pairs (3, 1) and (5, 0): 3 and 5 are farther from the best (4) and move.
    EXPECT_EQ(allGenes(*pop), (Genes{127, 128, 129, 47, 48, 49, 160, 161, 162, 23, 24, 25, 207, 208,
                                     209, 103, 104, 105}));
}

TEST_F(CrossbreedingTest, ElitePassesRankByTheSameListAndStopAtHalfThePopulation) {
    auto pop = ranked(9, {3, 1, 0, 2, 4});  // nine pairs asked, two fit
    runtime::generator().seed(0);
    CoutCapture out;
    crossbreed(*pop, kElite);
    // Every listing is the ranking of the last statistics pass: rank 0 scores
    // (0 + 1 + 80) / 765, rank 4 (160 + 161 + 240) / 765.
    const std::string listing =
        "0.105882\t\t3\n0.290196\t\t1\n0.419608\t\t0\n0.603922\t\t2\n0.733333\t\t4\n";
    const std::string sorted = listing + "Jetzt ist der Vektor sortiert";
    EXPECT_EQ(out.text(), sorted + sorted + sorted + sorted);
    EXPECT_EQ(runtime::generator().state(), Draws::after(0, 2)) << "one phase per exchange";
    // Pair (3, 1) exchanges gene 1 (phase 0), pair (0, 2) genes 0 and 2
    // (phase 1); enrichment then moves whichever is farther from 4.
    EXPECT_EQ(allGenes(*pop),
              (Genes{127, 104, 129, 47, 24, 49, 103, 128, 105, 23, 48, 25, 160, 161, 162}));
}

}  // namespace
}  // namespace evoplug::genetic::testing
