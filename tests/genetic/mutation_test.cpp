#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

using MutationTest = GeneticTest;

TEST_F(MutationTest, FirstDrawPerMilleAgainstTheRate) {
    // Seed 907 draws 3000 first (0 per mille), seed 0 draws 38.
    for (const auto& [rate, seed, mutates] :
         {std::tuple{0, 907u, false}, {1, 907u, true}, {38, 0u, false}, {39, 0u, true}}) {
        SCOPED_TRACE(::testing::Message() << "rate " << rate << " seed " << seed);
        auto pop = makePopulation({6, kGeneClosenessFitness, rate});
        const auto before = allGenes(*pop);
        runtime::generator().seed(seed);
        CoutCapture out;
        mutate(*pop);
        EXPECT_EQ(runtime::generator().state(), Draws::after(seed, mutates ? 4 : 1));
        if (mutates) {
            EXPECT_EQ(out.text().rfind("Hallo Mutation ergibt neue Fitness ", 0), 0u);
        } else {
            EXPECT_EQ(out.text(), "\nKeine Mutation\n");
            EXPECT_EQ(allGenes(*pop), before);
        }
    }
}

TEST_F(MutationTest, FullRateDrawsGeneThenIndividualThenValue) {
    // Seed 7 draws 61, 17422, 15215, 7040: gene 17422 % 3 = 1 of individual
    // 15215 % 6 = 5 becomes 7040 % 255 = 155. The second round draws the
    // value it already has and still rates again.
    auto pop = makePopulation({6, kGeneClosenessFitness, 1000});
    setGenes(*pop, 5, {255, 0, 177});
    const float average = pop->averageFitness;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        pop->fitnessValues[5] = -1.0f;
        runtime::generator().seed(7);
        CoutCapture out;
        mutate(*pop);
        EXPECT_EQ(genesOf(*pop, 5), (Genes{255, 155, 177}));
        EXPECT_EQ(pop->individuals[5].distance[1], 100);
        // (1 + (1 - 100 / 255) + 1) / 3
        EXPECT_EQ(out.text(), "Hallo Mutation ergibt neue Fitness 0.869281");
        EXPECT_EQ(pop->fitnessValues[5], pop->individuals[5].fitness);
        EXPECT_FLOAT_EQ(pop->fitnessValues[5], (3.0f - 100.0f / 255.0f) / 3.0f);
        EXPECT_EQ(pop->averageFitness, average) << "the statistics pass updates the average";
    }
}

}  // namespace
}  // namespace evoplug::genetic::testing
