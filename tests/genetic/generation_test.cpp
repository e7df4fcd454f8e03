#include "genetic/generation.h"

#include "genetic/genotype.h"
#include "genetic/operators.h"
#include "genetic_test_support.h"
#include "host_support.h"

namespace evoplug::genetic::testing {
namespace {

using GenerationTest = GeneticTest;

TEST_F(GenerationTest, RunsMutationSelectionCrossbreedingThenStatistics) {
    PopulationOptions o;
    o.selectionKind = 6;  // header only
    o.crossbreedKind = kHedonism;
    auto pop = makePopulation(o);
    const int32_t best = pop->individuals[static_cast<size_t>(pop->bestIndex)].genes[0];
    const int32_t worst = pop->individuals[static_cast<size_t>(pop->worstIndex)].genes[0];
    std::string report;
    {
        CoutCapture out;
        pop->printStatistics();
        report = out.text();
    }
    FlushCounter out;
    runGenerations(*pop, 1, 0, 0);
    EXPECT_EQ(out.str(),
              "\nGenerations Nr 1\n\nKeine Mutation\n\nHallo Selektion\n\nMax Fitness 0 = " +
                  std::to_string(best) + "\nMin Fitness 0 = " + std::to_string(worst) + "\n" +
                  report);
    EXPECT_EQ(out.flushes, 0);
    EXPECT_EQ(runtime::generator().state(), kClockSeed) << "the statistics pass reseeds";

    out.str("");
    runGenerations(*pop, 2, 0, 0);
    EXPECT_EQ(occurrences(out.str(), "\nGenerations Nr 2\n"), 2u);
    EXPECT_EQ(occurrences(out.str(), "Average Fitness ist "), 2u);
}

class EvolutionTest : public LevelTest {
  protected:
    std::string run(int generations) {
        CoutCapture out;
        for (int n = 0; n < generations; ++n) EXPECT_EQ(evolution(1024, -5), 0);
        return out.text();
    }
};

TEST_F(EvolutionTest, WithoutAPopulationNothingHappens) {
    host->engine.var("bigarray")[0] = 77;
    EXPECT_EQ(run(1), "");
    EXPECT_EQ(host->engine.var("bigarray")[0], 77);
    EXPECT_EQ(host->engine.callCount(), 0u);
}

TEST_F(EvolutionTest, PublishesThePreviousGenerationAndHandsOverEveryChromosome) {
    *host->engine.var("mutation") = abi::fromInt(1000);
    {
        CoutCapture quiet;
        CreateGenotype();
    }
    Population& pop = *currentPopulation;
    pop.selectionKind = kTournament;
    pop.crossbreedKind = kElite;
    for (int n = 0; n < 3; ++n) {
        const int32_t average = thousandthsVar(pop.averageFitness);
        const int32_t minimal =
            thousandthsVar(pop.individuals[static_cast<size_t>(pop.worstIndex)].fitness);
        const int32_t maximal =
            thousandthsVar(pop.individuals[static_cast<size_t>(pop.bestIndex)].fitness);
        const std::string text = run(1);
        EXPECT_EQ(text.rfind("\nGenerations Nr 1\n", 0), 0u);
        EXPECT_EQ(*host->engine.var("average"), average);
        EXPECT_EQ(*host->engine.var("minimal"), minimal);
        EXPECT_EQ(*host->engine.var("maximal"), maximal);
        EXPECT_NE(thousandthsVar(pop.averageFitness), average) << "a generation changed nothing";
        const int32_t* big = host->engine.var("bigarray");
        for (size_t i = 0; i < 20; ++i)
            for (size_t k = 0; k < 3; ++k)
                ASSERT_EQ(big[3 * i + k], abi::fromInt(pop.individuals[i].genes[k]));
        // The next call in this second starts from the same random state.
        EXPECT_EQ(runtime::generator().state(), kClockSeed);
    }
}

TEST_F(EvolutionTest, AFixedClockReproducesTheRun) {
    std::string first;
    *host->engine.var("crossover") = abi::fromInt(4);
    *host->engine.var("mutation") = abi::fromInt(600);
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::string text;
        {
            CoutCapture out;
            CreateGenotype();
            text = out.text();
        }
        currentPopulation->selectionKind = kRouletteWheel;
        currentPopulation->crossbreedKind = kEnrichment;
        text += run(5);
        if (attempt == 0)
            first = text;
        else
            EXPECT_EQ(text, first);
    }
    EXPECT_EQ(occurrences(first, "Jetzt ist der Vektor sortiert"), 20u);
    EXPECT_NE(first.find("Hallo Mutation"), std::string::npos);
}

// Discards what is written to it.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

int64_t tickingSeconds = 0;
int64_t tickingClock() { return ++tickingSeconds; }

TEST_F(EvolutionTest, LongRunOverEveryStrategyStaysWithinBounds) {
    runtime::setClock(&tickingClock);
    host->engine.setCallLogging(false);
    NullBuffer sink;
    std::streambuf* previous = std::cout.rdbuf(&sink);
    const int32_t sizes[] = {1, 2, 3, 7, 20, 200, 64, 199};
    const int32_t crossovers[] = {-1, 0, 1, 3, 150};
    const int32_t mutations[] = {0, 500, 1000};
    for (int32_t creation = 0; creation < 100; ++creation) {
        const int32_t size = sizes[creation % 8];
        *host->engine.var("num_elem") = abi::fromInt(size);
        *host->engine.var("crossover") = abi::fromInt(crossovers[creation % 5]);
        *host->engine.var("mutation") = abi::fromInt(mutations[creation % 3]);
        CreateGenotype();
        ASSERT_TRUE(currentPopulation);
        Population& pop = *currentPopulation;
        pop.selectionKind = creation % 6;
        pop.crossbreedKind = (creation / 6) % 5;
        for (int n = 0; n < 10; ++n) {
            evolution(0, 0);
            ASSERT_GE(pop.bestIndex, 0);
            ASSERT_LT(pop.bestIndex, size);
            ASSERT_GE(pop.worstIndex, 0);
            ASSERT_LT(pop.worstIndex, size);
            for (const Individual& ind : pop.individuals) {
                for (int32_t gene : ind.genes) {
                    ASSERT_GE(gene, 0);
                    ASSERT_LE(gene, 254);
                }
                ASSERT_GE(ind.fitness, 0.0f);
                ASSERT_LE(ind.fitness, 1.0f);
            }
        }
        ASSERT_EQ(host->engine.liveEntities(), static_cast<size_t>(size));
    }
    std::cout.rdbuf(previous);
    EXPECT_EQ(host->engine.badRemovals(), 0u);
}

}  // namespace
}  // namespace evoplug::genetic::testing
