// The population of the genetic algorithm: its individuals, their statistics
// and the entities that show them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "bridge/engine_bridge.h"
#include "genetic/strategies.h"
#include "runtime/random.h"
#include "runtime/report.h"
#include "script/script_bindings.h"

namespace evoplug::genetic {

// The bound and target tables, the entity words and "bigarray" carry three
// genes per chromosome.
constexpr int32_t kGenes = EVOPLUG_GENES;
// The entity table's size bounds the population.
constexpr int32_t kMaxIndividuals = EVOPLUG_MAX_INDIVIDUALS;

using Genes = std::array<int32_t, kGenes>;
// The colour the level's fitness is expected to reward.
inline constexpr Genes kTarget = {255, 255, 177};

enum class FitnessKind : int32_t {
    Script,         // the script's "CalculateFitness" judges
    GeneCloseness,  // mean closeness of each gene to the target
    MeanCloseness,  // closeness of the gene mean to the first target value
};

struct Individual {
    Genes genes{};
    float fitness = 0.0f;  // as last rated
};

struct IndexedValue {
    int32_t index;
    float value;
};
using IndexedList = std::vector<IndexedValue>;

// Sorts ascending by value, equal values by index: a total order, so every
// platform gives the same result. In place, without allocating.
void sortByValueThenIndex(IndexedList& list);

// What the algorithm reaches outside itself; owned by the plug-in.
struct Context {
    runtime::Random& random;
    const runtime::Clock& clock;
    runtime::Report& report;
    const script::Bindings& script;
    const bridge::EngineLink& engine;
};

struct PopulationConfig {
    int32_t popSize = 1;  // 1 .. kMaxIndividuals
    int32_t minGene = 0;
    int32_t maxGene = 255;       // must differ from minGene
    int32_t mutationRate = 0;    // per mille
    int32_t crossoverCount = 0;  // pairs per mating pass
    FitnessKind fitnessKind = FitnessKind::Script;
    SelectionKind selection = SelectionKind::MinMaxSubst;
    CrossbreedKind crossbreed = CrossbreedKind::LoveMarriage;
    Genes target = kTarget;
    Genes lowerBounds = {0, 0, 0};
    Genes upperBounds = {255, 255, 255};
};

class Population {
  public:
    // Seeds the generator from the clock, draws every individual's genes,
    // rates them and prints the report.
    Population(const PopulationConfig& config, const Context& context);
    Population(const Population&) = delete;
    Population& operator=(const Population&) = delete;

    // Rates individual i again and keeps the result in its `fitness`.
    float rate(int32_t i);
    Individual& at(int32_t i) { return individuals[static_cast<size_t>(i)]; }
    const Individual& at(int32_t i) const { return individuals[static_cast<size_t>(i)]; }

    // The report after creation and after every statistics pass.
    void printStatistics();
    // Reseeds, rates every individual again and recomputes average, best,
    // worst, gene means and the ranking in index order.
    void updateStatistics();

    runtime::Random& random() { return context_.random; }
    runtime::Report& report() { return context_.report; }
    const Context& context() const { return context_; }

    const PopulationConfig config;
    const int32_t popSize;
    const int32_t geneRange;  // |maxGene - minGene|
    std::vector<Individual> individuals;
    float averageFitness = 0.0f;
    int32_t bestIndex = 0;
    int32_t worstIndex = 0;
    Genes geneMeans{};
    IndexedList fitnessList;                        // the ranking the mating pairs come from
    IndexedList excentricityList;                   // work list of the Excentric selection
    IndexedList aboveAverageList;                   // work list of the RouletteWheel selection
    std::array<void*, kMaxIndividuals> entities{};  // slot i shows individual i

    // The ranking as last listed by the crossbreeding step: every mating of
    // a step lists the same ranking, so its text is formatted once.
    struct Listing {
        IndexedList ranking;         // what `text` lists
        std::vector<char> text;      // the lines, each ending in '\n'
        std::vector<uint32_t> ends;  // where each line ends in `text`
        bool valid = false;
    } listing;

  private:
    float rateByScript(int32_t i);
    // Counts individual i into the running statistics.
    void tally(int32_t i, float& maximum, float& minimum);
    void finishMeans();

    Context context_;
    std::array<float, kGenes> scale_{};  // maps a gene into the phenotype window
};

// Fitness scaled to thousandths as an EngineVar: x * 1000 * 1024 truncated,
// held at the int32 limits (NaN gives 0).
int32_t thousandthsVar(float fitness);

}  // namespace evoplug::genetic
