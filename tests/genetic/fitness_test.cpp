#include "genetic/fitness.h"

#include "genetic_test_support.h"

namespace evoplug::genetic::testing {
namespace {

TEST(EvaluateFitness, ClosenessKindsAndUnknownKinds) {
    const float unit[3] = {1.0f, 1.0f, 1.0f};
    const std::tuple<GeneArray<int32_t>, int32_t, float, GeneArray<int32_t>> cases[] = {
        {{255, 255, 177}, kGeneClosenessFitness, 1.0f, {0, 0, 0}},
        {{0, 255, 177}, kGeneClosenessFitness, 2.0f / 3.0f, {255, 0, 0}},  // 255 away scores 0
        {{10, 20, 31}, kMeanClosenessFitness, 1.0f - 235.0f / 255.0f, {235, 235, 235}},  // mean 20
        {{10, 20, 31}, 3, 0.0f, {}},  // unknown kinds leave the distances alone
        {{10, 20, 31}, -1, 0.0f, {}}};
    for (const auto& [genes, kind, fitness, distance] : cases) {
        Individual ind;
        ind.initialise(3, 0, 255, kTarget, kLower, kUpper, nullptr, unit);
        ind.genes = genes;
        const GeneArray<int32_t> before = ind.distance;
        EXPECT_FLOAT_EQ(ind.evaluateFitness(kind), fitness) << kind << " " << genes[0];
        EXPECT_EQ(ind.fitness, ind.evaluateFitness(kind));
        EXPECT_EQ(ind.distance, kind == 1 || kind == 2 ? distance : before) << kind;
    }
}

Genes seen;
float recordingCallback(const int32_t* values, int32_t count, int32_t index) {
    seen.assign(values, values + count);
    seen.push_back(index);
    return 0.25f;
}

TEST(EvaluateFitness, ScriptKindHandsTheTruncatedPhenotypeToTheCallback) {
    const int32_t lower[3] = {10, 0, 0}, upper[3] = {137, 255, 255};
    const float scale[3] = {127.0f / 255.0f, 1.0f, 1.0f};
    Individual ind;
    ind.initialise(3, 0, 255, kTarget, lower, upper, &recordingCallback, scale);
    ind.genes = {254, 7, 0};
    ind.index = 5;
    EXPECT_EQ(ind.evaluateFitness(kScriptFitness), 0.25f);
    EXPECT_EQ(seen, (Genes{136, 7, 0, 5}));  // 254 x 0.498 + 10 = 136.5; index 5
}

using ScriptFitness = LevelTest;

TEST_F(ScriptFitness, SmallarrayCalculateFitnessAndChromosom) {
    engine.clearCalls();
    MyFitness();
    const int32_t values[3] = {255, 255, 177};
    EXPECT_EQ(scriptFitness(values, 3, 4), 1.0f);  // the level's script: all targets met
    EXPECT_EQ(lastScriptFitness, 1.0f);
    ASSERT_EQ(engine.callsTo("CalculateFitness"), 2u);
    for (size_t c = 0; c < 2; ++c) {
        const host::ScriptCall& call = engine.calls()[c];
        EXPECT_EQ((Genes{call.a, call.b, call.c, call.d}), (Genes{c == 0 ? 0 : 4 * 1024, 0, 0, 0}));
    }
    EXPECT_EQ(engine.var("smallarray")[2], 177 * 1024);

    // Handle 0: no call; whatever "chromosom" holds is the verdict.
    panel::bindings.calculateFitness = 0;
    *engine.var("chromosom") = 512;
    const int32_t others[3] = {1, 2, 3};
    EXPECT_EQ(scriptFitness(others, 3, 0), 0.5f);
    EXPECT_EQ(engine.var("smallarray")[1], 2 * 1024);
    MyFitness();
    EXPECT_EQ(engine.callCount(), 2u);
    panel::bindings.chromosom = nullptr;
    EXPECT_EQ(scriptFitness(others, 3, 0), 0.0f);
}

}  // namespace
}  // namespace evoplug::genetic::testing
