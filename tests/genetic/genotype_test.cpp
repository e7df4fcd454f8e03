#include "genetic/genotype.h"

#include "genetic/generation.h"
#include "genetic/operators.h"
#include "genetic_test_support.h"
#include "host_support.h"

namespace evoplug::genetic::testing {
namespace {

class GenotypeTest : public LevelTest {
  protected:
    void setSetting(const char* name, int32_t value) {
        *host->engine.var(name) = abi::fromInt(value);
    }
    std::string create() {
        CoutCapture out;
        CreateGenotype();
        return out.text();
    }
};

TEST_F(GenotypeTest, BuildsFromTheScriptSettingsAndShowsEveryIndividual) {
    int32_t* feedback = host->engine.definePanel("Feedmeback");
    setSetting("num_elem", 7);
    setSetting("mutation", 250);
    setSetting("crossover", 3);
    const std::string text = create();

    ASSERT_TRUE(currentPopulation);
    const Population& pop = *currentPopulation;
    EXPECT_EQ(pop.popSize, 7);
    EXPECT_EQ(pop.mutationRate, 250);
    EXPECT_EQ(pop.crossoverCount, 3);
    EXPECT_EQ(pop.fitnessKind, kScriptFitness);
    EXPECT_EQ(pop.selectionKind, 0);  // no settings group yet
    EXPECT_EQ(pop.crossbreedKind, 0);
    EXPECT_EQ(pop.feedbackPanel, feedback);
    EXPECT_EQ(panel::creationCount, 1);
    EXPECT_EQ(text.rfind("MaxFitnesst ", 0), 0u);
    // The level's script rated every individual.
    for (const Individual& ind : pop.individuals)
        EXPECT_FLOAT_EQ(
            ind.fitness,
            static_cast<int32_t>(host->level.fitnessOf(ind.genes[0], ind.genes[1], ind.genes[2]) *
                                 1024) /
                1024.0f);

    // Positions are drawn after the whole population: x, y, z per entity.
    Draws d(kClockSeed);
    for (int i = 0; i < 3 + 3 * 7; ++i) d.next();
    const std::vector<int32_t*> records = host->engine.entityRecords();
    ASSERT_EQ(records.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        const int32_t* e = records[i];
        EXPECT_EQ(pop.entities[i], e);
        EXPECT_EQ(e[abi::entity::kPosition], abi::fromInt(d.next() % 800 - 400));
        EXPECT_EQ(e[abi::entity::kPosition + 1], abi::fromInt(d.next() % 800 - 400));
        EXPECT_EQ(e[abi::entity::kPosition + 2], abi::fromInt(d.next() % 90 - 15));
        EXPECT_EQ(e[abi::entity::kGene0], abi::fromInt(pop.individuals[i].genes[0]));
        EXPECT_EQ(e[abi::entity::kGene1], abi::fromInt(pop.individuals[i].genes[1]));
        EXPECT_EQ(e[abi::entity::kGene2], abi::fromInt(pop.individuals[i].genes[2]));
        const host::Engine::Entity* entity = host->engine.entity(e);
        EXPECT_EQ(entity->model, "ball.mdl");
        EXPECT_EQ(entity->action, host->engine.handle("ent_wander"));
    }
    EXPECT_EQ(runtime::generator().state(), d.state());
}

TEST_F(GenotypeTest, TakesTheStrategiesChosenInTheSettingsGroup) {
    void* const records[2] = {nullptr, nullptr};
    panel::OptionLists lists = {panel::NameList(6), panel::NameList(5)};
    panel::OptionGroup group(records, 2, records, 2, nullptr, lists, nullptr, nullptr);
    for (int step = 0; step < 4; ++step) group.Step(panel::kSelectionRow, 1);
    for (int step = 0; step < 2; ++step) group.Step(panel::kCrossbreedRow, 1);
    panel::settingsGroup = &group;
    create();
    panel::settingsGroup = nullptr;
    ASSERT_TRUE(currentPopulation);
    EXPECT_EQ(currentPopulation->selectionKind, kRouletteWheel);
    EXPECT_EQ(currentPopulation->crossbreedKind, kEnrichment);
}

TEST_F(GenotypeTest, ReplacingAPopulationRemovesItsEntitiesFirst) {
    for (int32_t size : {20, 5, 200, 1, 33}) {
        setSetting("num_elem", size);
        create();
        EXPECT_EQ(host->engine.liveEntities(), static_cast<size_t>(size));
        EXPECT_EQ(panel::creationCount, 1);
    }
    EXPECT_EQ(host->engine.badRemovals(), 0u);
}

TEST_F(GenotypeTest, SettingsOutsideTheLimitsKeepTheCurrentPopulation) {
    create();
    const Population* before = currentPopulation.get();
    const size_t created = host->engine.entitiesCreated();

    setSetting("num_elem", 500);
    EXPECT_EQ(create(),
              "Fehler: num_elem ist 500, erlaubt sind 1 bis 200; keine neue Population\n");
    setSetting("num_elem", 0);
    EXPECT_EQ(create(), "Fehler: num_elem ist 0, erlaubt sind 1 bis 200; keine neue Population\n");
    setSetting("num_elem", 10);
    setSetting("stringlength", 4);
    EXPECT_EQ(create(), "Fehler: stringlength ist 4, erlaubt ist nur 3; keine neue Population\n");
    panel::bindings.numElem = nullptr;
    EXPECT_EQ(create(), "Fehler: num_elem ist nicht gebunden; keine neue Population\n");

    EXPECT_EQ(currentPopulation.get(), before);
    EXPECT_EQ(host->engine.entitiesCreated(), created);
    EXPECT_EQ(host->engine.liveEntities(), 20u);
    EXPECT_EQ(panel::creationCount, 1);
}

TEST_F(GenotypeTest, WorksWithoutEntitiesWhenTheEngineCannotMakeThem) {
    host->engine.setEntityCreationFails(true);
    create();
    ASSERT_TRUE(currentPopulation);
    for (void* entity : currentPopulation->entities) EXPECT_EQ(entity, nullptr);
    {
        CoutCapture quiet;
        evolution(0, 0);
    }
    host->engine.setEntityCreationFails(false);
    create();
    EXPECT_EQ(host->engine.liveEntities(), 20u);
    EXPECT_EQ(host->engine.badRemovals(), 0u) << "null entities were handed back";

    panel::bindings.entCreate = nullptr;
    panel::bindings.entRemove = nullptr;
    create();
    ASSERT_TRUE(currentPopulation);
    EXPECT_EQ(currentPopulation->entities[0], nullptr);
    EXPECT_EQ(host->engine.entitiesRemoved(), 0u);
}

TEST_F(GenotypeTest, InitOrtaviaSeedsAndBindsTheActionByName) {
    EXPECT_EQ(actionFunction, host->engine.handle("ent_wander"));
    runtime::generator().seed(1);
    host->engine.setText("actionstring", "no_such_function");
    init_Ortavia();
    EXPECT_EQ(runtime::generator().state(), kClockSeed);
    EXPECT_EQ(actionFunction, 0);
    panel::bindings.actionString = nullptr;
    actionFunction = 5;
    init_Ortavia();
    EXPECT_EQ(actionFunction, 0);
}

}  // namespace
}  // namespace evoplug::genetic::testing
