#include "genetic/generation.h"

#include <new>

#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace {
size_t allocations = 0;
}
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace evoplug::genetic::testing {
namespace {

TEST_F(GeneticTest, AGenerationRunsMutationSelectionCrossbreedingThenStatistics) {
    auto pop = makePopulation({6, kGeneClosenessFitness, 0, 0, 6, kHedonism});
    const Genes best = genesOf(*pop, pop->bestIndex), worst = genesOf(*pop, pop->worstIndex);
    CoutSink out;
    pop->printStatistics();
    const std::string report = out.str();
    out.str("");
    runtime::generator().seed(1);
    runGenerations(*pop, 1, 0, 0);
    EXPECT_EQ(out.str(),
              "\nGenerations Nr 1\n\nKeine Mutation\n\nHallo Selektion\n\nMax Fitness 0 = " +
                  std::to_string(best[0]) + "\nMin Fitness 0 = " + std::to_string(worst[0]) + "\n" +
                  report);
    EXPECT_EQ(out.flushes, 0);
    EXPECT_EQ(runtime::generator().state(), kClockSeed) << "the statistics pass reseeds";
}

// The engine calls `evolution` every frame.
TEST_F(GeneticTest, GenerationsAllocateNothingOnceBuilt) {
    CoutSink quiet(false);
    for (int32_t selection = 0; selection < 6; ++selection) {
        for (int32_t crossbreed = 0; crossbreed < 5; ++crossbreed) {
            auto pop =
                makePopulation({200, kGeneClosenessFitness, 1000, 100, selection, crossbreed});
            const size_t before = allocations;
            runGenerations(*pop, 3, 0, 0);
            EXPECT_EQ(allocations, before)
                << "selection " << selection << ", crossbreed " << crossbreed;
        }
    }
}

using EvolutionTest = LevelTest;

TEST_F(EvolutionTest, PublishesThePreviousGenerationAndHandsOverEveryChromosome) {
    engine.var("bigarray")[0] = 77;
    {
        CoutCapture out;
        EXPECT_EQ(evolution(1024, 2048), 0);
        EXPECT_EQ(out.text(), "") << "no population yet";
    }
    EXPECT_EQ(engine.var("bigarray")[0], 77);
    EXPECT_EQ(engine.callCount(), 0u);
    setSetting("mutation", 1000);
    create();
    Population& pop = *currentPopulation;
    pop.selectionKind = kTournament;
    pop.crossbreedKind = kElite;
    for (int n = 0; n < 3; ++n) {
        const Genes previous = {
            thousandthsVar(pop.averageFitness),
            thousandthsVar(pop.individuals[static_cast<size_t>(pop.worstIndex)].fitness),
            thousandthsVar(pop.individuals[static_cast<size_t>(pop.bestIndex)].fitness)};
        CoutCapture out;
        evolution(0, 0);
        EXPECT_EQ(out.text().rfind("\nGenerations Nr 1\n", 0), 0u);
        EXPECT_EQ((Genes{*engine.var("average"), *engine.var("minimal"), *engine.var("maximal")}),
                  previous);
        EXPECT_NE(thousandthsVar(pop.averageFitness), previous[0]) << "nothing changed";
        const int32_t* big = engine.var("bigarray");
        for (size_t i = 0; i < 60; ++i)
            ASSERT_EQ(big[i], abi::fromInt(pop.individuals[i / 3].genes[i % 3])) << i;
    }
}

int64_t tickingSeconds = 0;
int64_t tickingClock() { return ++tickingSeconds; }

TEST_F(EvolutionTest, ThousandGenerationsOverHundredCreationsAndEveryKindStayInBounds) {
    runtime::setClock(&tickingClock);
    engine.setCallLogging(false);
    CoutSink quiet(false);
    const int32_t sizes[] = {1, 2, 3, 7, 20, 200, 64, 199}, crossovers[] = {-1, 0, 1, 3, 150};
    for (int32_t creation = 0; creation < 100; ++creation) {
        const int32_t size = sizes[creation % 8];
        setSetting("num_elem", size);
        setSetting("crossover", crossovers[creation % 5]);
        setSetting("mutation", 500 * (creation % 3));
        CreateGenotype();
        ASSERT_EQ(engine.liveEntities(), static_cast<size_t>(size));
        Population& pop = *currentPopulation;
        pop.selectionKind = creation % 6;
        pop.crossbreedKind = (creation / 6) % 5;
        for (int n = 0; n < 10; ++n) {
            evolution(0, 0);
            ASSERT_TRUE(pop.bestIndex >= 0 && pop.bestIndex < size && pop.worstIndex >= 0 &&
                        pop.worstIndex < size);
            for (const Individual& ind : pop.individuals) {
                for (int32_t gene : ind.genes) ASSERT_TRUE(gene >= 0 && gene <= 254) << gene;
                ASSERT_TRUE(ind.fitness >= 0.0f && ind.fitness <= 1.0f) << ind.fitness;
            }
        }
    }
    EXPECT_EQ(engine.badRemovals(), 0u);
}

}  // namespace
}  // namespace evoplug::genetic::testing
