// One candidate of the genetic algorithm: a chromosome and its evaluation.
#pragma once

#include <cstdint>
#include <vector>

namespace evoplug::genetic {

// The script's judgement of a chromosome: (values, count, index) -> fitness.
using FitnessCallback = float (*)(const int32_t* values, int32_t count, int32_t index);

// Fitness kinds of `evaluateFitness`.
constexpr int32_t kScriptFitness = 0;
constexpr int32_t kGeneClosenessFitness = 1;
constexpr int32_t kMeanClosenessFitness = 2;

struct Individual {
    // Allocates the arrays and draws the genes, one draw per gene. The shared
    // tables belong to the population and must hold `geneCount` entries.
    void initialise(int32_t geneCount, int32_t minGene, int32_t maxGene, const int32_t* target,
                    const int32_t* lowerBounds, const int32_t* upperBounds,
                    FitnessCallback fitnessCallback, const float* scale);

    // Computes the fitness of the given kind, stores it in `fitness` and
    // returns it; an unknown kind rates 0.0.
    float evaluateFitness(int32_t fitnessKind);

    int32_t index = 0;
    int32_t geneCount = 0;
    std::vector<int32_t> genes;
    const int32_t* target = nullptr;
    std::vector<int32_t> distance;
    const int32_t* upperBounds = nullptr;
    const int32_t* lowerBounds = nullptr;
    std::vector<int32_t> span;
    const float* scale = nullptr;
    std::vector<int32_t> phenotype;
    std::vector<float> geneScore;
    float fitness = 0.0f;
    int32_t minGene = 0;
    int32_t maxGene = 0;
    int32_t geneRange = 0;
    FitnessCallback fitnessCallback = nullptr;
};

}  // namespace evoplug::genetic
