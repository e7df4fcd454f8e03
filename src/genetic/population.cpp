#include "genetic/population.h"

#include <algorithm>
#include <cstdlib>

namespace evoplug::genetic {

// Sums a pass's individuals into statistics, in index order.
class Population::Tally {
  public:
    explicit Tally(const Statistics& before) {
        next_.best = before.best;
        next_.worst = before.worst;
    }

    void add(int32_t i, const Individual& ind) {
        for (size_t g = 0; g < kGenes; ++g) next_.geneMeans[g] += ind.genes[g];
        next_.average += ind.fitness;
        // Strict comparisons: the first of equal values wins.
        if (ind.fitness > maximum_) {
            next_.best = i;
            maximum_ = ind.fitness;
        }
        if (ind.fitness < minimum_) {
            next_.worst = i;
            minimum_ = ind.fitness;
        }
    }

    Statistics finish(int32_t count) {
        next_.average /= static_cast<float>(count);
        for (int32_t& mean : next_.geneMeans) mean /= count;
        return next_;
    }

  private:
    Statistics next_;
    float maximum_ = 0.0f;
    float minimum_ = 1.0f;
};

Population::Population(const PopulationConfig& config_, const Context& context, Evaluator evaluator)
    : config(config_),
      popSize(config_.popSize),
      geneRange(std::abs(config_.maxGene - config_.minGene)),
      context_(context),
      evaluator_(evaluator) {
    const auto size = static_cast<size_t>(popSize);
    // Every generation reuses these lists: no allocation after construction.
    ranking_.reserve(size);
    excentricityList.reserve(size);
    aboveAverageList.reserve(size);
    individuals.resize(size);

    // The population's own record drew its genes here. Nothing reads them,
    // but every later draw depends on their count.
    for (int32_t g = 0; g < kGenes; ++g) random().next();

    // Each individual is rated before the next draws its genes.
    Tally tally(statistics_);
    for (int32_t i = 0; i < popSize; ++i) {
        for (int32_t& gene : at(i).genes) gene = random().below(geneRange) + config.minGene;
        ranking_.push_back({i, rate(i)});
        tally.add(i, at(i));
    }
    statistics_ = tally.finish(popSize);
}

float Population::rate(int32_t i) {
    Individual& ind = at(i);
    ind.fitness = evaluator_(ind.genes, i);
    return ind.fitness;
}

void Population::printStatistics() {
    report().line() << "MaxFitnesst " << at(statistics_.best).fitness << " MinFitness  "
                    << at(statistics_.worst).fitness << "\nAverage Fitness ist "
                    << statistics_.average << " \n";
}

void Population::updateStatistics() {
    random().reseed(context_.clock);
    Tally tally(statistics_);
    for (int32_t i = 0; i < popSize; ++i) {
        ranking_[static_cast<size_t>(i)] = {i, rate(i)};
        tally.add(i, at(i));
    }
    statistics_ = tally.finish(popSize);
    printStatistics();
}

void sortByValueThenIndex(IndexedList& list) {
    const auto before = [](const IndexedValue& a, const IndexedValue& b) {
        return a.value < b.value || (a.value == b.value && a.index < b.index);
    };
    // Every mating of a step sorts the same list again: after the first it is
    // in order already. The order is total, so skipping changes nothing.
    if (!std::is_sorted(list.begin(), list.end(), before))
        std::sort(list.begin(), list.end(), before);
}

}  // namespace evoplug::genetic
