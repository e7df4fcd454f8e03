// One candidate of the genetic algorithm: a chromosome and its evaluation.
#pragma once

#include <array>
#include <cstdint>

namespace evoplug::genetic {

// The script's judgement of a chromosome: (values, count, index) -> fitness.
using FitnessCallback = float (*)(const int32_t* values, int32_t count, int32_t index);

// Fitness kinds of `evaluateFitness`.
constexpr int32_t kScriptFitness = 0;
constexpr int32_t kGeneClosenessFitness = 1;
constexpr int32_t kMeanClosenessFitness = 2;

// The bound and target tables, the entity words and "bigarray" carry three
// genes per chromosome.
constexpr int32_t kChromosomeGenes = 3;

// Per-gene values, held inline: building a population of 200 allocates
// nothing per individual.
template <typename T>
using GeneArray = std::array<T, kChromosomeGenes>;

struct Individual {
    // Draws the genes, one draw per gene. The shared tables belong to the
    // population and must hold `geneCount` entries; more than
    // kChromosomeGenes genes are not kept.
    void initialise(int32_t geneCount, int32_t minGene, int32_t maxGene, const int32_t* target,
                    const int32_t* lowerBounds, const int32_t* upperBounds,
                    FitnessCallback fitnessCallback, const float* scale);

    // Computes the fitness of the given kind, stores it in `fitness` and
    // returns it; an unknown kind rates 0.0.
    float evaluateFitness(int32_t fitnessKind);

    int32_t index = 0;
    int32_t geneCount = 0;
    GeneArray<int32_t> genes{};
    const int32_t* target = nullptr;
    GeneArray<int32_t> distance{};
    const int32_t* upperBounds = nullptr;
    const int32_t* lowerBounds = nullptr;
    GeneArray<int32_t> span{};
    const float* scale = nullptr;
    GeneArray<int32_t> phenotype{};
    GeneArray<float> geneScore{};
    float fitness = 0.0f;
    int32_t minGene = 0;
    int32_t maxGene = 0;
    int32_t geneRange = 0;
    FitnessCallback fitnessCallback = nullptr;
};

}  // namespace evoplug::genetic
