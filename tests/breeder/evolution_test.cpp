// The genetic algorithm in the level: built from the script's settings,
// judged by its "CalculateFitness", shown as entities.
#include "breeder/evolution.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "support/state_fixture.h"

namespace evoplug::breeder {
namespace {

using evoplug::testing::after;
using evoplug::testing::draw;
using evoplug::testing::kClockSeed;
using genetic::CrossbreedKind;
using Ints = std::vector<int32_t>;
constexpr auto Tournament = genetic::SelectionKind::Tournament;

TEST(Thousandths, TruncatedAndHeldAtTheInt32Limits) {
    // x 1000 x 1024: 0.1234567f gives 126419.66, 2097.151f exactly 2147482500
    // and 2097.152f 2147483750, beyond int32.
    // clang-format off
    const std::pair<float, int32_t> cases[] = {
        {0.5f, 512000}, {0.1234567f, 126419}, {-0.1234567f, -126419}, {2097.151f, 2147482500},
        {2097.152f, INT32_MAX}, {-2097.152f, INT32_MIN}, {NAN, 0}};
    // clang-format on
    for (const auto& [fitness, var] : cases) EXPECT_EQ(thousandthsVar(fitness), var) << fitness;
}

class EvolutionTest : public evoplug::testing::StateTest {
  protected:
    EvolutionTest() { bind(); }
    void set(const char* name, int32_t value) { *engine.var(name) = abi::fromInt(value); }
};

TEST_F(EvolutionTest, BuiltFromTheSettingsShownAsEntitiesAndRunAGenerationAtATime) {
    Evolution& evolution = s().evolution;
    const genetic::Context context = s().geneticContext();
    evolution.publishAndRunGeneration();  // no population: nothing
    EXPECT_EQ(std::tuple(takeReport(), engine.var("bigarray")[0], evolution.hasPopulation()),
              std::tuple("", 0, false));
    s().random.seed(99);
    evolution.bindAction(context);
    EXPECT_EQ(s().random.state(), kClockSeed) << "init_Ortavia seeds";
    set("num_elem", 7);
    set("mutation", 1000);
    set("crossover", 3);
    evolution.createPopulation(context, {Tournament, CrossbreedKind::Elite});
    EXPECT_EQ(takeReport().rfind("MaxFitnesst ", 0), 0u);
    const genetic::Population& pop = *evolution.population();
    EXPECT_EQ(std::tuple(pop.config.mutationRate, pop.config.crossoverCount, pop.config.selection,
                         pop.config.crossbreed),
              std::tuple(1000, 3, Tournament, CrossbreedKind::Elite));
    // The population's own record draws three, its genes 21, then each entity
    // x, y, z. The level rates in 1024ths.
    uint32_t genes = after(kClockSeed, 3), place = after(kClockSeed, 3 + 3 * 7);
    ASSERT_EQ(engine.entityRecords().size(), 7u);
    for (int32_t i = 0; i < 7; ++i) {
        const int32_t* e = engine.entityRecords()[static_cast<size_t>(i)];
        const int g0 = draw(genes) % 255, g1 = draw(genes) % 255, g2 = draw(genes) % 255;
        const int x = draw(place) % 800 - 400, y = draw(place) % 800 - 400,
                  z = draw(place) % 90 - 15;
        EXPECT_EQ((Ints{e[4], e[5], e[6], e[23], e[22], e[21]}),
                  (Ints{x * 1024, y * 1024, z * 1024, g0 * 1024, g1 * 1024, g2 * 1024}));
        EXPECT_EQ(std::tuple(engine.entity(e)->model, engine.entity(e)->action, pop.at(i).fitness),
                  std::tuple("ball.mdl", engine.handle("ent_wander"),
                             level.verdictOf(g0, g1, g2) / 1024.0f));
    }
    EXPECT_EQ(s().random.state(), place);

    const std::tuple<int32_t, int32_t, const char*> refusals[] = {
        {201, 3, "num_elem ist 201, erlaubt sind 1 bis 200"},
        {0, 3, "num_elem ist 0, erlaubt sind 1 bis 200"},
        {7, 4, "stringlength ist 4, erlaubt ist nur 3"},
        {-1, 3, "num_elem ist nicht gebunden"}};
    for (const auto& [size, length, why] : refusals) {
        set("num_elem", size);
        set("stringlength", length);
        if (size < 0) engine.remove("num_elem");
        s().script.bind(script::Stage::Interface, s().engine);
        evolution.createPopulation(context, {});
        EXPECT_EQ(takeReport(), "Fehler: " + std::string(why) + "; keine neue Population\n");
        engine.restore("num_elem");
    }
    EXPECT_EQ(std::tuple(evolution.population(), engine.entitiesCreated(), engine.liveEntities()),
              std::tuple(&pop, size_t{7}, size_t{7}));

    engine.clearCalls();
    evolution.callFitnessFunction();  // one call while the function is bound, none after
    engine.remove("CalculateFitness");
    s().script.bind(script::Stage::Interface, s().engine);
    evolution.callFitnessFunction();
    for (int32_t size : {200, 1}) {  // a new population replaces the old one's entities
        set("num_elem", size);
        evolution.createPopulation(context, {});
        EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(size));
    }
    EXPECT_EQ(engine.calls().size(), 1u);
}

}  // namespace
}  // namespace evoplug::breeder
