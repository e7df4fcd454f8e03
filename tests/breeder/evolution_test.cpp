// The genetic algorithm in the level: built from the script's settings,
// judged by its "CalculateFitness", shown as entities. Where each entity
// stands and which genes it shows, the strategy transcripts check.
#include "breeder/evolution.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "support/state_fixture.h"

namespace evoplug::breeder {
namespace {

TEST(Thousandths, TruncatedAndHeldAtTheInt32Limits) {
    // x 1000 x 1024: 0.1234567f gives 126419.66, 2097.151f exactly 2147482500
    // and 2097.152f 2147483750, beyond int32.
    const std::pair<float, int32_t> cases[] = {
        {0.5f, 512000},
        {0.1234567f, 126419},
        {-0.1234567f, -126419},
        {2097.151f, 2147482500},
        {2097.152f, INT32_MAX},
        {-2097.152f, INT32_MIN},
        {NAN, 0},
    };
    for (const auto& [fitness, var] : cases) EXPECT_EQ(thousandthsVar(fitness), var) << fitness;
}

class EvolutionTest : public evoplug::testing::StateTest {
  protected:
    EvolutionTest() { bind(); }
    void set(const char* name, int32_t value) { *engine.var(name) = abi::fromInt(value); }
    void create() { evolution.createPopulation(s().geneticContext(), {}); }

    Evolution& evolution = s().evolution;
};

TEST_F(EvolutionTest, APopulationTakesTheScriptsSettings) {
    set("mutation", 1000);
    set("crossover", 3);
    evolution.createPopulation(
        s().geneticContext(), {genetic::SelectionKind::Tournament, genetic::CrossbreedKind::Elite});
    const genetic::PopulationConfig& config = evolution.population()->config;
    EXPECT_EQ(config.mutationRate, 1000);
    EXPECT_EQ(config.crossoverCount, 3);
    EXPECT_EQ(config.selection, genetic::SelectionKind::Tournament);
    EXPECT_EQ(config.crossbreed, genetic::CrossbreedKind::Elite);
}

TEST_F(EvolutionTest, EachIndividualIsAnEntityOfTheModelRunningTheAction) {
    set("num_elem", 7);
    create();  // before the action function is bound: none
    EXPECT_EQ(engine.entity(engine.entityRecords()[0])->action, 0);
    evolution.bindAction(s().geneticContext());
    create();
    ASSERT_EQ(engine.entityRecords().size(), 7u);
    for (const int32_t* entity : engine.entityRecords()) {
        EXPECT_EQ(engine.entity(entity)->model, "ball.mdl");
        EXPECT_EQ(engine.entity(entity)->action, engine.handle("ent_wander"));
    }
}

TEST_F(EvolutionTest, TheScriptJudgesEachIndividualByItsIndexAlone) {
    set("num_elem", 3);
    engine.clearCalls();
    create();
    const std::vector<host::ScriptCall>& calls = engine.calls();
    ASSERT_EQ(calls.size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        const host::ScriptCall& call = calls[static_cast<size_t>(i)];
        EXPECT_EQ(
            std::vector<int32_t>({call.handle, call.a, call.b, call.c, call.d}),
            std::vector<int32_t>({engine.handle("CalculateFitness"), abi::fromInt(i), 0, 0, 0}))
            << i;
    }
}

TEST_F(EvolutionTest, SettingsOutOfRangeAreRefusedAndKeepThePopulation) {
    create();
    takeReport();
    const genetic::Population* kept = evolution.population();
    const struct {
        int32_t individuals;  // -1: "num_elem" missing
        int32_t genes;
        const char* why;
    } refusals[] = {
        {201, 3, "num_elem ist 201, erlaubt sind 1 bis 200"},
        {0, 3, "num_elem ist 0, erlaubt sind 1 bis 200"},
        {7, 4, "stringlength ist 4, erlaubt ist nur 3"},
        {-1, 3, "num_elem ist nicht gebunden"},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.why);
        set("num_elem", refusal.individuals);
        set("stringlength", refusal.genes);
        if (refusal.individuals < 0) engine.remove("num_elem");
        s().script.bind(script::Stage::AtInterfaceInit, s().engine);
        create();
        EXPECT_EQ(takeReport(),
                  "Fehler: " + std::string(refusal.why) + "; keine neue Population\n");
        EXPECT_EQ(evolution.population(), kept);
        EXPECT_EQ(engine.liveEntities(), 20u);
        engine.restore("num_elem");
    }
}

TEST_F(EvolutionTest, ANewPopulationReplacesTheOldOnesEntities) {
    for (int32_t size : {200, 1}) {
        set("num_elem", size);
        create();
        EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(size));
    }
}

TEST_F(EvolutionTest, MyFitnessCallsTheScriptOnlyWhileItIsBound) {
    engine.clearCalls();
    evolution.callFitnessFunction();
    EXPECT_EQ(engine.calls().size(), 1u);
    engine.remove("CalculateFitness");
    s().script.bind(script::Stage::AtInterfaceInit, s().engine);
    evolution.callFitnessFunction();
    EXPECT_EQ(engine.calls().size(), 1u);
}

}  // namespace
}  // namespace evoplug::breeder
