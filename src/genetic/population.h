// The population of the genetic algorithm: its individuals, the evaluator
// that judges them, and the statistics and ranking of the last pass.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "genetic/strategies.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "runtime/report.h"

namespace evoplug::genetic {

// The entity words and "bigarray" carry three genes per chromosome.
constexpr int32_t kGenes = EVOPLUG_GENES;
// The entity table's size bounds the population.
constexpr int32_t kMaxIndividuals = EVOPLUG_MAX_INDIVIDUALS;

using Genes = std::array<int32_t, kGenes>;
// The closeness evaluators' target; the level's script judges by its own.
inline constexpr Genes kTarget = {255, 255, 177};

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

// Judges one individual: its genes and index in, its fitness out. Called once
// per individual per pass and per re-rating, so a plain function and its
// context rather than anything that allocates or dispatches twice. It may
// run a nested generation on the same population.
class Evaluator {
  public:
    using Judge = float (*)(const void* context, const Genes& genes, int32_t index);
    Evaluator(Judge judge, const void* context) : judge_(judge), context_(context) {}
    float operator()(const Genes& genes, int32_t index) const {
        return judge_(context_, genes, index);
    }

  private:
    Judge judge_;
    const void* context_;
};

// Lists rankings on the report; lives beside it, across populations.
class RankingListing;

// What the algorithm reaches outside itself; owned by the plug-in.
struct Context {
    runtime::Random& random;
    const runtime::Clock& clock;
    runtime::Report& report;
    RankingListing& listing;
};

struct PopulationConfig {
    int32_t popSize = 1;  // 1 .. kMaxIndividuals
    int32_t minGene = 0;
    int32_t maxGene = 255;       // genes take minGene .. maxGene - 1
    int32_t mutationRate = 0;    // per mille
    int32_t crossoverCount = 0;  // pairs per mating pass
    SelectionKind selection = SelectionKind::MinMaxSubst;
    CrossbreedKind crossbreed = CrossbreedKind::LoveMarriage;
};

// What a statistics pass found. Best and worst are indexes: the first of
// equal values; one that nobody beats (best 0.0, worst 1.0) stays where the
// pass before left it.
struct Statistics {
    float average = 0.0f;
    int32_t best = 0;
    int32_t worst = 0;
    Genes geneMeans{};
};

class Population {
  public:
    // Draws every individual's genes from the generator as it stands and
    // rates them; the caller seeds before and prints after.
    Population(const PopulationConfig& config, const Context& context, Evaluator evaluator);
    Population(const Population&) = delete;
    Population& operator=(const Population&) = delete;

    // Rates individual i again and keeps the result in its `fitness`.
    float rate(int32_t i);
    Individual& at(int32_t i) { return individuals[static_cast<size_t>(i)]; }
    const Individual& at(int32_t i) const { return individuals[static_cast<size_t>(i)]; }

    // Reseeds, rates every individual again, replaces the statistics and
    // sets the ranking to index order; then prints them.
    void updateStatistics();
    const Statistics& statistics() const { return statistics_; }
    void printStatistics();

    // What the mating pairs come from: index order after a statistics pass,
    // weakest first once a mating has sorted it.
    const IndexedList& ranking() const { return ranking_; }
    void sortRanking() { sortByValueThenIndex(ranking_); }

    runtime::Random& random() { return context_.random; }
    runtime::Report& report() { return context_.report; }
    const Context& context() const { return context_; }

    const PopulationConfig config;
    const int32_t popSize;
    const int32_t geneRange;  // |maxGene - minGene|
    std::vector<Individual> individuals;
    IndexedList excentricityList;  // work list of the Excentric selection
    IndexedList aboveAverageList;  // work list of the RouletteWheel selection

  private:
    class Tally;

    Context context_;
    Evaluator evaluator_;
    Statistics statistics_;
    IndexedList ranking_;
};

}  // namespace evoplug::genetic
