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

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

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

    // Presses the settings row's buttons until `choice` is selected.
    void choose(int32_t row, int32_t choice) {
        for (int i = 0; i < 6; ++i) call().SelectCommand(fromInt(row), fromInt(-1));
        for (int i = 0; i < choice; ++i) call().SelectCommand(fromInt(row), fromInt(1));
    }

    // What the calls write to standard output.
    template <typename Calls>
    std::string output(Calls calls) {
        testing::internal::CaptureStdout();
        calls();
        std::cout.flush();
        std::fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }

    std::map<int, std::vector<int>> shown;
};

TEST_F(GeneticTest, CreationShowsEveryIndividualAsAnEntityCarryingItsGenes) {
    recordFitnessCalls();
    startUp();
    const std::string text = output([&] { EXPECT_EQ(call().CreateGenotype(), 0); });
    EXPECT_EQ(text.rfind("MaxFitnesst ", 0), 0u);
    EXPECT_NE(text.find("\nAverage Fitness ist "), std::string::npos);

    const std::vector<int32_t*> entities = engine.entityRecords();
    ASSERT_EQ(entities.size(), 20u);
    ASSERT_EQ(shown.size(), 20u);
    for (size_t i = 0; i < entities.size(); ++i) {
        const int32_t* e = entities[i];
        const std::vector<int>& genes = shown[static_cast<int>(i)];
        EXPECT_EQ(e[abi::entity::kGene0], fromInt(genes[0]));
        EXPECT_EQ(e[abi::entity::kGene1], fromInt(genes[1]));
        EXPECT_EQ(e[abi::entity::kGene2], fromInt(genes[2]));
        for (int g : genes) EXPECT_LE(g, 254);
        EXPECT_GE(e[abi::entity::kPosition + 2], fromInt(-15));
        EXPECT_LE(e[abi::entity::kPosition + 2], fromInt(74));
        EXPECT_EQ(engine.entity(e)->model, "ball.mdl");
        EXPECT_EQ(engine.entity(e)->action, engine.handle("ent_wander"));
    }
}

TEST_F(GeneticTest, ReCreationKeepsExactlyOneEntityPerIndividual) {
    startUp();
    const int sizes[] = {20, 3, 200, 1, 57, 200};
    output([&] {
        for (int size : sizes) {
            host::LevelSettings settings;
            settings.individuals = size;
            level.apply(settings);
            call().CreateGenotype();
            EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(size));
            call().evolution(0, 0);
        }
        host::LevelSettings tooMany;
        tooMany.individuals = 201;
        level.apply(tooMany);
        call().CreateGenotype();
    });
    EXPECT_EQ(engine.liveEntities(), 200u) << "a refused setting keeps the population";
    EXPECT_EQ(engine.badRemovals(), 0u);
}

TEST_F(GeneticTest, EvolutionBeforeAnyPopulationDoesNothing) {
    startUp();
    engine.clearCalls();
    EXPECT_EQ(output([&] { EXPECT_EQ(call().evolution(fromInt(1), fromInt(2)), 0); }), "");
    EXPECT_EQ(engine.callCount(), 0u);
}

TEST_F(GeneticTest, ScriptSeesThePreviousGenerationsStatisticsAndEveryChromosome) {
    recordFitnessCalls();
    startUp();
    std::string report = output([&] { call().CreateGenotype(); });
    for (int generation = 0; generation < 4; ++generation) {
        // The report's fitness values are multiples of 1/1024 (the script's
        // EngineVar), so six digits give them back exactly.
        float best = 0, worst = 0, average = 0;
        const size_t at = report.rfind("MaxFitnesst ");
        ASSERT_EQ(std::sscanf(report.c_str() + at,
                              "MaxFitnesst %f MinFitness  %f\nAverage Fitness ist %f", &best,
                              &worst, &average),
                  3);
        shown.clear();
        report = output([&] { call().evolution(0, 0); });
        EXPECT_EQ(report.rfind("\nGenerations Nr 1\n", 0), 0u);
        EXPECT_EQ(*engine.var("maximal"), std::lround(best * 1024) * 1000);
        EXPECT_EQ(*engine.var("minimal"), std::lround(worst * 1024) * 1000);
        EXPECT_NEAR(*engine.var("average"), average * 1024000.0, 2.0);

        // The statistics pass showed the script every final chromosome.
        const int32_t* big = engine.var("bigarray");
        for (int i = 0; i < 20; ++i)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(big[3 * i + k], fromInt(shown[i][static_cast<size_t>(k)]))
                    << "individual " << i << " gene " << k;
    }
}

TEST_F(GeneticTest, StrategiesChosenOnThePanelApplyFromTheNextCreation) {
    startUp();
    choose(1, 2);  // "enrichment"
    EXPECT_EQ(engine.text("crossStr"), "enrichment");
    std::string text = output([&] {
        call().CreateGenotype();
        call().evolution(0, 0);
    });
    // Two pairs ("crossover" 2), each sorted and listed once.
    EXPECT_EQ(occurrences(text, "Jetzt ist der Vektor sortiert"), 2u);

    choose(1, 1);  // "elite" waits for the next population
    text = output([&] { call().evolution(0, 0); });
    EXPECT_EQ(occurrences(text, "Jetzt ist der Vektor sortiert"), 2u);
    text = output([&] {
        call().CreateGenotype();
        call().evolution(0, 0);
    });
    EXPECT_EQ(occurrences(text, "Jetzt ist der Vektor sortiert"), 4u);

    choose(1, 4);  // "hedonism" mates nobody
    text = output([&] {
        call().CreateGenotype();
        call().evolution(0, 0);
    });
    EXPECT_EQ(occurrences(text, "Jetzt ist der Vektor sortiert"), 0u);
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
    EXPECT_EQ(occurrences(reports[0], "\nGenerations Nr 1\n"), 5u);
    EXPECT_EQ(occurrences(reports[0], "Hallo Mutation ergibt neue Fitness "), 5u);
}

}  // namespace
}  // namespace evoplug::e2e
