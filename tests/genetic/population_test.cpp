#include <limits>

#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

using PopulationTest = GeneticTest;

TEST_F(PopulationTest, DrawsTheOwnRecordFirstThenEveryIndividualAndFillsTheStatistics) {
    auto pop = makePopulation({5, kGeneClosenessFitness, 0, 2});
    // Seed 4242: 13891, 22171, 8669 (the own record), then 6693, 17999, 22841.
    EXPECT_EQ(pop->own.genes, (GeneArray<int32_t>{121, 241, 254}));
    EXPECT_EQ(genesOf(*pop, 0), (Genes{63, 149, 146}));
    EXPECT_FLOAT_EQ(pop->crossoverShare, 0.4f);
    Draws d{Draws::after(kClockSeed, 3)};
    float sum = 0.0f;
    Genes geneSums = {0, 0, 0};
    for (int32_t i = 0; i < 5; ++i) {
        const Individual& ind = pop->individuals[static_cast<size_t>(i)];
        EXPECT_EQ(ind.index, i);
        for (size_t g = 0; g < 3; ++g) {
            EXPECT_EQ(ind.genes[g], d.next() % 255) << i;
            EXPECT_EQ(ind.distance[g], std::abs(kTarget[g] - ind.genes[g]));
            geneSums[g] += ind.genes[g];
        }
        const IndexedValue entry = pop->fitnessList[static_cast<size_t>(i)];
        EXPECT_EQ((std::pair{entry.index, entry.value}), (std::pair{i, ind.fitness}));
        EXPECT_EQ(pop->fitnessValues[static_cast<size_t>(i)], ind.fitness);
        sum += ind.fitness;
    }
    EXPECT_EQ(runtime::generator().state(), d.state) << "construction drew more than the genes";
    EXPECT_FLOAT_EQ(pop->averageFitness, sum / 5.0f);
    for (size_t g = 0; g < 3; ++g) EXPECT_EQ(pop->geneMeans[g], geneSums[g] / 5);
}

TEST_F(PopulationTest, StatisticsPassReseedsReranksAndKeepsTheFirstOfEqualValues) {
    auto pop = makePopulation({4});
    for (int32_t i = 0; i < 4; ++i)
        setGenes(*pop, i, i % 2 ? Genes{255, 255, 177} : Genes{0, 0, 0});
    std::swap(pop->fitnessList[0], pop->fitnessList[3]);
    runtime::generator().seed(99);
    CoutCapture out;
    pop->updateStatistics();
    EXPECT_EQ(runtime::generator().state(), kClockSeed);
    EXPECT_EQ(pop->bestIndex, 1);
    EXPECT_EQ(pop->worstIndex, 0);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(pop->fitnessList[static_cast<size_t>(i)].index, i);
    EXPECT_EQ(pop->geneMeans, (Genes{127, 127, 88}));  // 510 / 4 and 354 / 4, truncated
    // Genes 0, 0, 0 score 0, 0 and 78 / 255.
    EXPECT_EQ(out.text(), "MaxFitnesst 1 MinFitness  0.101961\nAverage Fitness ist 0.55098 \n");

    pop->fitnessKind = 7;  // all 0.0 does not beat the start maximum: the best stays
    pop->bestIndex = 2;
    setAll(*pop, {});
    EXPECT_EQ(pop->bestIndex, 2);
    EXPECT_EQ(pop->worstIndex, 0);
}

TEST_F(PopulationTest, PublishesThousandthsTruncatedAndSaturated) {
    auto pop = makePopulation();
    int32_t average = 1, minimal = 2, maximal = 3;
    panel::bindings.average = &average;
    panel::bindings.minimal = &minimal;
    panel::bindings.maximal = &maximal;
    pop->averageFitness = 0.5f;
    pop->worstIndex = 2;
    pop->bestIndex = 3;
    pop->individuals[2].fitness = -0.1234567f;  // x 1024000 = -126419.66
    pop->individuals[3].fitness = 0.1234567f;
    pop->fitnessValues[3] = 0.9f;  // the individual's own fitness counts
    pop->publishStatistics();
    panel::bindings = panel::ScriptBindings{};
    EXPECT_EQ((Genes{average, minimal, maximal}), (Genes{512000, -126419, 126419}));

    using Int = std::numeric_limits<int32_t>;
    using Float = std::numeric_limits<float>;
    for (const auto& [fitness, var] : {std::pair{2097.151f, 2147482500},
                                       {2097.152f, Int::max()},
                                       {-2097.152f, Int::min()},
                                       {Float::quiet_NaN(), 0},
                                       {Float::infinity(), Int::max()}})
        EXPECT_EQ(thousandthsVar(fitness), var) << fitness;
}

}  // namespace
}  // namespace evoplug::genetic::testing
