// The population of the genetic algorithm: its individuals, their statistics
// and the entities that show them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "genetic/individual.h"

namespace evoplug::genetic {

// The entity table's size bounds the population.
constexpr int32_t kMaxIndividuals = 200;

struct IndexedValue {
    int32_t index;
    float value;
};
using IndexedList = std::vector<IndexedValue>;

// Sorts ascending by value, equal values by index: a total order, so every
// platform gives the same result, the same as a stable sort of a list in
// index order would. In place, without allocating.
void sortByValueThenIndex(IndexedList& list);

class Population {
  public:
    // Seeds the generator from the clock, draws the own record's genes, then
    // each individual's, rates them by `fitnessKind` and prints the report.
    // Needs 1 <= popSize <= kMaxIndividuals, 1 <= geneCount <= kChromosomeGenes
    // and maxGene != minGene; the tables must outlive the population.
    Population(int32_t popSize, int32_t geneCount, int32_t minGene, int32_t maxGene,
               const int32_t* target, int32_t mutationRate, int32_t crossoverCount,
               int32_t fitnessKind, FitnessCallback fitnessCallback, const int32_t* lowerBounds,
               const int32_t* upperBounds, int32_t selectionKind, int32_t crossbreedKind);
    // Individuals point into the population's tables.
    Population(const Population&) = delete;
    Population& operator=(const Population&) = delete;

    // Rates individual i again: fitnessValues[i] and its `fitness`.
    float reevaluate(int32_t i);

    // The report after creation and after every statistics pass.
    void printStatistics() const;
    // Reseeds, rates every individual again and recomputes averages, best,
    // worst, gene means and the ranking list in index order.
    void updateStatistics();
    // Hands average, worst and best fitness (in thousandths) to the script.
    void publishStatistics() const;

    Individual own;  // the Tournament keeps its challengers here
    int32_t popSize = 0;
    std::vector<Individual> individuals;
    int32_t geneCount = 0;
    std::vector<float> fitnessValues;
    float averageFitness = 0.0f;
    std::vector<float> excentricityValues;
    int32_t bestIndex = 0;
    int32_t worstIndex = 0;
    const int32_t* target = nullptr;
    std::vector<int32_t> geneMeans;
    int32_t minGene = 0;
    int32_t maxGene = 0;
    int32_t geneRange = 0;
    const int32_t* upperBounds = nullptr;
    const int32_t* lowerBounds = nullptr;
    std::vector<int32_t> span;
    std::vector<float> scale;
    IndexedList fitnessList;
    IndexedList excentricityList;
    IndexedList aboveAverageList;
    float crossoverShare = 0.0f;
    int32_t crossoverCount = 0;
    int32_t mutationRate = 0;
    int32_t fitnessKind = 0;
    int32_t selectionKind = 0;
    int32_t crossbreedKind = 0;
    std::array<void*, kMaxIndividuals> entities{};
    void* feedbackPanel = nullptr;

    // The ranking as last listed by the crossbreeding step: every mating of
    // a step lists the same ranking, so its text is formatted once.
    struct Listing {
        IndexedList ranking;         // what `text` lists
        std::vector<char> text;      // the lines, each ending in '\n'
        std::vector<uint32_t> ends;  // where each line ends in `text`
        bool valid = false;
    } listing;

  private:
    // Counts individual i's fitness and genes into the running statistics.
    void tally(int32_t i, float fitness, float& maximum, float& minimum);
    // Turns the sums of `tally` into means.
    void finishMeans();
};

// Fitness scaled to thousandths as an EngineVar: x * 1000 * 1024 truncated,
// held at the int32 limits (NaN gives 0).
int32_t thousandthsVar(float fitness);

}  // namespace evoplug::genetic
