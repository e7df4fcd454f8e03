#include "genetic/fitness.h"

#include <vector>

#include "genetic/genotype.h"
#include "genetic_test_support.h"
#include "host_support.h"

namespace evoplug::genetic::testing {
namespace {

// An individual over the given tables, genes set by hand.
Individual individual(GeneArray<int32_t> genes, const int32_t* lower = kLower,
                      const int32_t* upper = kUpper, const float* scale = nullptr,
                      FitnessCallback callback = nullptr) {
    static const float unitScale[3] = {1.0f, 1.0f, 1.0f};
    Individual ind;
    ind.initialise(3, 0, 255, kTarget, lower, upper, callback, scale ? scale : unitScale);
    ind.genes = genes;
    return ind;
}

TEST(EvaluateFitness, GeneClosenessAveragesPerGeneScores) {
    Individual exact = individual({255, 255, 177});
    EXPECT_EQ(exact.evaluateFitness(kGeneClosenessFitness), 1.0f);

    Individual farOff = individual({0, 255, 177});  // gene 0 is 255 away: scores 0.0
    EXPECT_FLOAT_EQ(farOff.evaluateFitness(kGeneClosenessFitness), 2.0f / 3.0f);
    EXPECT_EQ(farOff.geneScore[0], 0.0f);
    EXPECT_EQ(farOff.distance, (GeneArray<int32_t>{255, 0, 0}));
    EXPECT_EQ(farOff.fitness, farOff.evaluateFitness(kGeneClosenessFitness));
}

TEST(EvaluateFitness, MeanClosenessUsesTheTruncatedMeanAndUnknownKindsRateZero) {
    Individual ind = individual({10, 20, 31});  // mean 61 / 3 = 20
    EXPECT_FLOAT_EQ(ind.evaluateFitness(kMeanClosenessFitness), 1.0f - 235.0f / 255.0f);
    EXPECT_EQ(ind.distance, (GeneArray<int32_t>{235, 235, 235}));

    EXPECT_EQ(ind.evaluateFitness(3), 0.0f);  // unknown kinds
    EXPECT_EQ(ind.fitness, 0.0f);
    EXPECT_EQ(ind.evaluateFitness(-1), 0.0f);
}

std::vector<int32_t> seenValues;
int32_t seenIndex = -1;
float recordingCallback(const int32_t* values, int32_t count, int32_t index) {
    seenValues.assign(values, values + count);
    seenIndex = index;
    return 0.25f;
}

TEST(EvaluateFitness, ScriptKindHandsTheTruncatedPhenotypeToTheCallback) {
    const int32_t lower[3] = {10, 0, 0};
    const int32_t upper[3] = {137, 255, 255};
    const float scale[3] = {127.0f / 255.0f, 1.0f, 1.0f};
    Individual ind = individual({254, 7, 0}, lower, upper, scale, &recordingCallback);
    ind.index = 5;
    EXPECT_EQ(ind.evaluateFitness(kScriptFitness), 0.25f);
    // 254 x 0.498 + 10 = 136.5: truncated to 136.
    EXPECT_EQ(seenValues, (std::vector<int32_t>{136, 7, 0}));
    EXPECT_EQ(seenIndex, 5);
    EXPECT_EQ(std::vector<int32_t>(ind.phenotype.begin(), ind.phenotype.end()), seenValues);
}

TEST(ScriptFitness, TheLevelsScriptJudgesTheGenesInSmallarray) {
    BoundLevel host;
    const int32_t values[3] = {255, 255, 177};
    host.engine.clearCalls();
    EXPECT_EQ(scriptFitness(values, 3, 4), 1.0f);
    EXPECT_EQ(lastScriptFitness, 1.0f);
    ASSERT_EQ(host.engine.callsTo("CalculateFitness"), 1u);
    EXPECT_EQ(host.engine.calls().back().a, 4 * 1024);
    EXPECT_EQ(host.engine.calls().back().b, 0);
    const int32_t* small = host.engine.var("smallarray");
    EXPECT_EQ(small[0], 255 * 1024);
    EXPECT_EQ(small[2], 177 * 1024);
}

TEST(ScriptFitness, WithoutAFunctionReadsChromosomAsItIs) {
    BoundLevel host;
    panel::bindings.calculateFitness = 0;
    *host.engine.var("chromosom") = 512;
    host.engine.clearCalls();
    const int32_t values[3] = {1, 2, 3};
    EXPECT_EQ(scriptFitness(values, 3, 0), 0.5f);
    EXPECT_EQ(host.engine.callCount(), 0u);
    EXPECT_EQ(host.engine.var("smallarray")[1], 2 * 1024);
}

TEST(ScriptFitness, UnboundArraysSkipTheCall) {
    BoundLevel host;
    panel::bindings.smallArray = nullptr;
    host.engine.clearCalls();
    const int32_t values[3] = {1, 2, 3};
    *host.engine.var("chromosom") = 256;
    EXPECT_EQ(scriptFitness(values, 3, 0), 0.25f);
    panel::bindings.chromosom = nullptr;
    panel::bindings.smallArray = BoundLevel::number("smallarray");
    EXPECT_EQ(scriptFitness(values, 3, 0), 0.0f);
    EXPECT_EQ(host.engine.callCount(), 0u);
}

TEST(MyFitness, CallsWithFourZerosOnlyWhenBound) {
    BoundLevel host;
    host.engine.clearCalls();
    MyFitness();
    ASSERT_EQ(host.engine.callsTo("CalculateFitness"), 1u);
    const host::ScriptCall& call = host.engine.calls().back();
    EXPECT_EQ(call.a | call.b | call.c | call.d, 0);
    panel::bindings.calculateFitness = 0;
    MyFitness();
    EXPECT_EQ(host.engine.callCount(), 1u);
}

}  // namespace
}  // namespace evoplug::genetic::testing
