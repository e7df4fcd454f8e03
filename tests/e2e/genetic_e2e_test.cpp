// The genetic algorithm as the level's script drives it through the exports.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

using abi::fromInt;

int64_t fixedSeconds() { return 1234567; }

class GeneticTest : public PluginTest {
  protected:
    // The level's fitness script, also noting the genes it was shown per
    // individual (its first argument is the index).
    void recordFitnessCalls() {
        engine.remove("CalculateFitness");
        engine.defineFunction("CalculateFitness", [this](int32_t index, int32_t, int32_t, int32_t) {
            const int32_t* genes = engine.var("smallarray");
            const int g[3] = {abi::toInt(genes[0]), abi::toInt(genes[1]), abi::toInt(genes[2])};
            shown[abi::toInt(index)] = {g[0], g[1], g[2]};
            *engine.var("chromosom") =
                static_cast<int32_t>(level.fitnessOf(g[0], g[1], g[2]) * abi::kOne);
            return 0;
        });
    }

    static size_t count(const std::string& text, const std::string& part) {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }

    // What the calls write to standard output.
    template <typename Calls>
    static std::string output(Calls calls) {
        testing::internal::CaptureStdout();
        calls();
        std::cout.flush();
        std::fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }

    std::map<int, std::vector<int>> shown;
};

TEST_F(GeneticTest, TheLevelsScriptRatesEveryIndividualAndSeesEveryGeneration) {
    recordFitnessCalls();
    startUp();
    std::string report = output([&] { EXPECT_EQ(call().CreateGenotype(), 0); });
    const std::vector<int32_t*> entities = engine.entityRecords();
    ASSERT_EQ(entities.size(), 20u);
    ASSERT_EQ(shown.size(), 20u);
    for (size_t i = 0; i < entities.size(); ++i) {
        const int32_t* e = entities[i];
        const std::vector<int>& genes = shown[static_cast<int>(i)];
        EXPECT_EQ((std::vector<int32_t>{e[abi::entity::kGene0], e[abi::entity::kGene1],
                                        e[abi::entity::kGene2]}),
                  (std::vector<int32_t>{fromInt(genes[0]), fromInt(genes[1]), fromInt(genes[2])}))
            << "entity " << i;
        EXPECT_EQ(engine.entity(e)->model, "ball.mdl");
        EXPECT_EQ(engine.entity(e)->action, engine.handle("ent_wander"));
    }
    for (int generation = 0; generation < 3; ++generation) {
        // The report's fitness values are multiples of 1/1024 (the script's
        // EngineVar), so six digits give them back exactly.
        float best = 0, worst = 0, average = 0;
        ASSERT_EQ(std::sscanf(report.c_str() + report.rfind("MaxFitnesst "),
                              "MaxFitnesst %f MinFitness  %f\nAverage Fitness ist %f", &best,
                              &worst, &average),
                  3);
        shown.clear();
        report = output([&] { EXPECT_EQ(call().evolution(0, 0), 0); });
        EXPECT_EQ(report.rfind("\nGenerations Nr 1\n", 0), 0u);
        EXPECT_EQ(*engine.var("maximal"), std::lround(best * 1024) * 1000);
        EXPECT_EQ(*engine.var("minimal"), std::lround(worst * 1024) * 1000);
        EXPECT_NEAR(*engine.var("average"), average * 1024000.0, 2.0);
        // The statistics pass showed the script every final chromosome.
        const int32_t* big = engine.var("bigarray");
        for (int i = 0; i < 60; ++i)
            ASSERT_EQ(big[i], fromInt(shown[i / 3][static_cast<size_t>(i % 3)])) << i;
    }
}

TEST_F(GeneticTest, StrategiesChosenOnThePanelApplyFromTheNextCreation) {
    startUp();
    const auto listings = [&](bool create) {
        return count(output([&] {
                         if (create) call().CreateGenotype();
                         call().evolution(0, 0);
                     }),
                     "Jetzt ist der Vektor sortiert");
    };
    call().SelectCommand(fromInt(1), fromInt(1));  // "elite"
    EXPECT_EQ(listings(true), 4u) << "two pairs, exchanged and enriched";
    for (int i = 0; i < 4; ++i) call().SelectCommand(fromInt(0), fromInt(1));
    for (int i = 0; i < 3; ++i) call().SelectCommand(fromInt(1), fromInt(1));
    EXPECT_EQ(engine.text("selStr"), "RouletteWheel");
    EXPECT_EQ(engine.text("crossStr"), "hedonism");
    EXPECT_EQ(listings(false), 4u) << "the population keeps its strategies";
    EXPECT_EQ(listings(true), 0u) << "hedonism mates nobody";
}

TEST_F(GeneticTest, AFixedClockRepeatsTheRunByteForByte) {
    std::string reports[2];
    for (std::string& report : reports) {
        auto fresh = loadFreshPlugin();
        host::LevelSettings settings;
        settings.mutation = 700;
        level.apply(settings);
        fresh->exports().SetRuntimeClock(&fixedSeconds);
        level.startUp(*fresh);
        fresh->exports().SelectCommand(fromInt(0), fromInt(1));  // "Tournament"
        fresh->exports().SelectCommand(fromInt(1), fromInt(1));  // "elite"
        report = output([&] {
            fresh->exports().CreateGenotype();
            for (int i = 0; i < 5; ++i) fresh->exports().evolution(0, 0);
        });
        fresh->exports().SetRuntimeClock(nullptr);
    }
    EXPECT_EQ(reports[0], reports[1]);
    EXPECT_EQ(count(reports[0], "\nGenerations Nr 1\n"), 5u);
    EXPECT_EQ(count(reports[0], "Jetzt ist der Vektor sortiert"), 20u);
    EXPECT_EQ(count(reports[0], "Hallo Mutation ergibt neue Fitness "), 5u);
}

}  // namespace
}  // namespace evoplug::e2e
