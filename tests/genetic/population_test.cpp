#include "genetic/population.h"

#include <cmath>
#include <limits>

#include "genetic_test_support.h"
#include "panel/script_bindings.h"

namespace evoplug::genetic::testing {
namespace {

using PopulationTest = GeneticTest;

TEST_F(PopulationTest, DrawsTheOwnRecordFirstThenEveryIndividualFromTheClockSeed) {
    PopulationOptions o;
    o.popSize = 4;
    auto pop = makePopulation(o);

    // Seed 4242: the first draws are 13891, 22171, 8669 (the own record),
    // then 6693, 17999, 22841 (individual 0).
    EXPECT_EQ(pop->own.genes, (GeneArray<int32_t>{121, 241, 254}));
    EXPECT_EQ(genesOf(*pop, 0), (std::vector<int32_t>{63, 149, 146}));

    Draws d(kClockSeed);
    for (int g = 0; g < 3; ++g) d.next();
    for (int32_t i = 0; i < 4; ++i) {
        const Individual& ind = pop->individuals[static_cast<size_t>(i)];
        EXPECT_EQ(ind.index, i);
        for (size_t g = 0; g < 3; ++g) {
            EXPECT_EQ(ind.genes[g], d.next() % 255) << "individual " << i << " gene " << g;
            EXPECT_EQ(ind.distance[g], std::abs(kTarget[g] - ind.genes[g]));
        }
    }
    EXPECT_EQ(runtime::generator().state(), d.state()) << "construction drew more than the genes";
}

TEST_F(PopulationTest, CreationFillsEveryStatisticTheOperatorsRead) {
    PopulationOptions o;
    o.popSize = 5;
    o.crossoverCount = 2;
    auto pop = makePopulation(o);

    EXPECT_EQ(pop->geneRange, 255);
    EXPECT_FLOAT_EQ(pop->scale[0], 1.0f);
    EXPECT_FLOAT_EQ(pop->crossoverShare, 0.4f);
    ASSERT_EQ(pop->fitnessList.size(), 5u);
    float sum = 0.0f;
    int32_t geneSums[3] = {0, 0, 0};
    for (int32_t i = 0; i < 5; ++i) {
        const Individual& ind = pop->individuals[static_cast<size_t>(i)];
        EXPECT_EQ(pop->fitnessList[static_cast<size_t>(i)].index, i);
        EXPECT_EQ(pop->fitnessList[static_cast<size_t>(i)].value, ind.fitness);
        EXPECT_EQ(pop->fitnessValues[static_cast<size_t>(i)], ind.fitness);
        EXPECT_GE(ind.fitness, pop->fitnessValues[static_cast<size_t>(pop->worstIndex)]);
        EXPECT_LE(ind.fitness, pop->fitnessValues[static_cast<size_t>(pop->bestIndex)]);
        sum += ind.fitness;
        for (size_t g = 0; g < 3; ++g) geneSums[g] += ind.genes[g];
    }
    EXPECT_FLOAT_EQ(pop->averageFitness, sum / 5.0f);
    // The Excentric selection may run before any statistics pass.
    for (size_t g = 0; g < 3; ++g) EXPECT_EQ(pop->geneMeans[g], geneSums[g] / 5);
}

TEST_F(PopulationTest, StatisticsPassReseedsReranksAndKeepsTheFirstOfEqualValues) {
    PopulationOptions o;
    o.popSize = 4;
    auto pop = makePopulation(o);
    setGenes(*pop, 0, {0, 0, 0});
    setGenes(*pop, 1, {255, 255, 177});  // 1.0
    setGenes(*pop, 2, {0, 0, 0});
    setGenes(*pop, 3, {255, 255, 177});
    std::swap(pop->fitnessList[0], pop->fitnessList[3]);
    runtime::generator().seed(99);

    CoutCapture out;
    pop->updateStatistics();

    EXPECT_EQ(runtime::generator().state(), kClockSeed);
    EXPECT_EQ(pop->bestIndex, 1);
    EXPECT_EQ(pop->worstIndex, 0);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(pop->fitnessList[static_cast<size_t>(i)].index, i);
    // (0 + 255 + 0 + 255) / 4 and (0 + 177 + 0 + 177) / 4, truncated.
    EXPECT_EQ(pop->geneMeans, (std::vector<int32_t>{127, 127, 88}));
    EXPECT_EQ(out.text().rfind("MaxFitnesst 1 MinFitness  ", 0), 0u) << out.text();
}

TEST_F(PopulationTest, IndicesKeepTheirValueWhenNobodyBeatsTheStartValues) {
    PopulationOptions o;
    o.popSize = 3;
    o.fitnessKind = 7;  // rates everyone 0.0
    auto pop = makePopulation(o);
    EXPECT_EQ(pop->bestIndex, 0);  // never set: the safe start
    EXPECT_EQ(pop->worstIndex, 0);

    pop->bestIndex = 2;
    refresh(*pop);
    EXPECT_EQ(pop->bestIndex, 2) << "all 0.0 keeps the earlier best";
    EXPECT_EQ(pop->worstIndex, 0);
}

TEST_F(PopulationTest, ReportUsesTheStreamsDefaultFloatFormat) {
    auto pop = makePopulation();
    pop->bestIndex = 1;
    pop->worstIndex = 4;
    pop->fitnessValues[1] = 0.123456789f;
    pop->fitnessValues[4] = 0.0000125f;
    pop->averageFitness = 0.5f;
    CoutCapture out;
    pop->printStatistics();
    EXPECT_EQ(out.text(), "MaxFitnesst 0.123457 MinFitness  1.25e-05\nAverage Fitness ist 0.5 \n");
}

class PublishTest : public PopulationTest {
  protected:
    void TearDown() override {
        panel::bindings = panel::ScriptBindings{};
        PopulationTest::TearDown();
    }
    int32_t average = 1, minimal = 2, maximal = 3;
};

TEST_F(PublishTest, WritesThousandthsTruncatedTowardZero) {
    auto pop = makePopulation();
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
    EXPECT_EQ(average, 512000);
    EXPECT_EQ(minimal, -126419);
    EXPECT_EQ(maximal, 126419);

    panel::bindings.average = nullptr;  // unbound: skipped
    pop->averageFitness = 0.75f;
    pop->publishStatistics();
    EXPECT_EQ(average, 512000);
}

TEST_F(PublishTest, SaturatesWhatTheScriptLeftOutOfRange) {
    EXPECT_EQ(thousandthsVar(2097.151f), 2147482500);  // still fits
    EXPECT_EQ(thousandthsVar(2097.152f), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(thousandthsVar(-2097.152f), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(thousandthsVar(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(thousandthsVar(std::numeric_limits<float>::infinity()),
              std::numeric_limits<int32_t>::max());
}

}  // namespace
}  // namespace evoplug::genetic::testing
