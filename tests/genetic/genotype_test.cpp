#include "genetic/generation.h"
#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

using GenotypeTest = LevelTest;

TEST_F(GenotypeTest, BuildsFromTheScriptSettingsAndShowsEveryIndividual) {
    int32_t* feedback = engine.definePanel("Feedmeback");
    setSetting("num_elem", 7);
    setSetting("mutation", 250);
    setSetting("crossover", 3);
    EXPECT_EQ(create().rfind("MaxFitnesst ", 0), 0u);
    ASSERT_TRUE(currentPopulation);
    const Population& pop = *currentPopulation;
    EXPECT_EQ((Genes{pop.popSize, pop.mutationRate, pop.crossoverCount, pop.fitnessKind}),
              (Genes{7, 250, 3, kScriptFitness}));
    EXPECT_EQ(pop.feedbackPanel, feedback);
    EXPECT_EQ(panel::creationCount, 1);
    for (const Individual& ind : pop.individuals) {
        const double verdict = level.fitnessOf(ind.genes[0], ind.genes[1], ind.genes[2]);
        EXPECT_FLOAT_EQ(ind.fitness, static_cast<int32_t>(verdict * 1024) / 1024.0f);
    }
    // Positions are drawn after the whole population: x, y, z per entity.
    Draws d{Draws::after(kClockSeed, 3 + 3 * 7)};
    const std::vector<int32_t*> records = engine.entityRecords();
    ASSERT_EQ(records.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        const int32_t* e = records[i];
        EXPECT_EQ(pop.entities[i], e);
        const int x = d.next() % 800 - 400, y = d.next() % 800 - 400, z = d.next() % 90 - 15;
        const Genes genes = genesOf(pop, static_cast<int32_t>(i));
        EXPECT_EQ((Genes{e[4], e[5], e[6], e[23], e[22], e[21]}),
                  (Genes{abi::fromInt(x), abi::fromInt(y), abi::fromInt(z), abi::fromInt(genes[0]),
                         abi::fromInt(genes[1]), abi::fromInt(genes[2])}))
            << "entity " << i;
        EXPECT_EQ(engine.entity(e)->model, "ball.mdl");
        EXPECT_EQ(engine.entity(e)->action, engine.handle("ent_wander"));
    }
    EXPECT_EQ(runtime::generator().state(), d.state);
}

TEST_F(GenotypeTest, TakesTheStrategiesChosenOnThePanel) {
    panel::initPopulation();
    for (int step = 0; step < 4; ++step) {
        panel::selectCommand(panel::kSelectionRow, 1);
        panel::selectCommand(panel::kCrossbreedRow, 1);
    }
    create();
    EXPECT_EQ(currentPopulation->selectionKind, kRouletteWheel);
    EXPECT_EQ(currentPopulation->crossbreedKind, kHedonism);
}

TEST_F(GenotypeTest, SettingsOutsideTheLimitsKeepTheCurrentPopulation) {
    create();
    const Population* before = currentPopulation.get();
    const size_t created = engine.entitiesCreated();
    const std::tuple<int32_t, int32_t, const char*> cases[] = {
        {500, 3, "num_elem ist 500, erlaubt sind 1 bis 200"},
        {0, 3, "num_elem ist 0, erlaubt sind 1 bis 200"},
        {10, 4, "stringlength ist 4, erlaubt ist nur 3"},
        {10, 3, "num_elem ist nicht gebunden"}};
    for (const auto& [size, length, why] : cases) {
        setSetting("num_elem", size);
        setSetting("stringlength", length);
        if (size == 10 && length == 3) panel::bindings.numElem = nullptr;
        EXPECT_EQ(create(), "Fehler: " + std::string(why) + "; keine neue Population\n");
    }
    EXPECT_EQ(currentPopulation.get(), before);
    EXPECT_EQ(engine.entitiesCreated(), created);
    EXPECT_EQ(engine.liveEntities(), 20u);
    EXPECT_EQ(panel::creationCount, 1);
}

TEST_F(GenotypeTest, WorksWithoutEntitiesWhenTheEngineCannotMakeThem) {
    engine.setEntityCreationFails(true);
    create();
    ASSERT_TRUE(currentPopulation);
    for (void* entity : currentPopulation->entities) EXPECT_EQ(entity, nullptr);
    {
        CoutCapture quiet;
        evolution(0, 0);
    }
    engine.setEntityCreationFails(false);
    create();
    EXPECT_EQ(engine.liveEntities(), 20u);
    EXPECT_EQ(engine.badRemovals(), 0u) << "null entities were handed back";

    panel::bindings.entCreate = nullptr;
    panel::bindings.entRemove = nullptr;
    create();
    ASSERT_TRUE(currentPopulation);
    EXPECT_EQ(currentPopulation->entities[0], nullptr);
    EXPECT_EQ(engine.entitiesRemoved(), 0u);
}

}  // namespace
}  // namespace evoplug::genetic::testing
