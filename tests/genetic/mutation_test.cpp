#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

using MutationTest = GeneticTest;

std::unique_ptr<Population> populationWithRate(int32_t rate) {
    PopulationOptions o;
    o.popSize = 6;
    o.mutationRate = rate;
    return makePopulation(o);
}

TEST_F(MutationTest, RateZeroDrawsOnceAndSaysSo) {
    auto pop = populationWithRate(0);
    const std::vector<Individual> before = pop->individuals;
    runtime::generator().seed(907);  // the first draw is 3000: 0 per mille
    CoutCapture out;
    mutate(*pop);
    EXPECT_EQ(out.text(), "\nKeine Mutation\n");
    Draws d(907);
    d.next();
    EXPECT_EQ(runtime::generator().state(), d.state());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(pop->individuals[i].genes, before[i].genes);
}

TEST_F(MutationTest, FullRateDrawsGeneThenIndividualThenValue) {
    auto pop = populationWithRate(1000);
    setGenes(*pop, 5, {255, 0, 177});
    const float average = pop->averageFitness;
    // Seed 7 draws 61, 17422, 15215, 7040: gene 17422 % 3 = 1 of individual
    // 15215 % 6 = 5 becomes 7040 % 255 = 155.
    runtime::generator().seed(7);
    CoutCapture out;
    mutate(*pop);
    EXPECT_EQ(genesOf(*pop, 5), (std::vector<int32_t>{255, 155, 177}));
    EXPECT_EQ(pop->individuals[5].distance[1], 100);
    // (1 + (1 - 100 / 255) + 1) / 3
    EXPECT_EQ(out.text(), "Hallo Mutation ergibt neue Fitness 0.869281");
    EXPECT_EQ(pop->fitnessValues[5], pop->individuals[5].fitness);
    EXPECT_FLOAT_EQ(pop->fitnessValues[5], (3.0f - 100.0f / 255.0f) / 3.0f);
    EXPECT_EQ(pop->averageFitness, average) << "the statistics pass updates the average";
    Draws d(7);
    for (int i = 0; i < 4; ++i) d.next();
    EXPECT_EQ(runtime::generator().state(), d.state());
}

TEST_F(MutationTest, RateIsAPerMilleThresholdOnTheFirstDraw) {
    // Seed 0 draws 38 first: rate 38 does not mutate, rate 39 does.
    for (int32_t rate : {38, 39}) {
        auto pop = populationWithRate(rate);
        runtime::generator().seed(0);
        CoutCapture out;
        mutate(*pop);
        EXPECT_EQ(out.text().rfind("Hallo Mutation", 0) == 0, rate == 39) << out.text();
    }
    auto pop = populationWithRate(1);
    runtime::generator().seed(907);  // 3000 % 1000 == 0
    CoutCapture out;
    mutate(*pop);
    EXPECT_EQ(out.text().rfind("Hallo Mutation ergibt neue Fitness ", 0), 0u);
}

TEST_F(MutationTest, DrawingTheSameValueStillRatesAgain) {
    auto pop = populationWithRate(1000);
    setGenes(*pop, 5, {255, 155, 177});
    pop->fitnessValues[5] = -1.0f;
    runtime::generator().seed(7);
    CoutCapture out;
    mutate(*pop);
    EXPECT_EQ(genesOf(*pop, 5), (std::vector<int32_t>{255, 155, 177}));
    EXPECT_FLOAT_EQ(pop->fitnessValues[5], (3.0f - 100.0f / 255.0f) / 3.0f);
    EXPECT_NE(out.text().find("Hallo Mutation"), std::string::npos);
}

}  // namespace
}  // namespace evoplug::genetic::testing
