#include "genetic/population.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace evoplug::genetic {

Population::Population(const PopulationConfig& config_, const Context& context)
    : config(config_),
      popSize(config_.popSize),
      geneRange(std::abs(config_.maxGene - config_.minGene)),
      context_(context) {
    const auto size = static_cast<size_t>(popSize);
    // Every generation reuses these lists: no allocation after construction.
    fitnessList.reserve(size);
    excentricityList.reserve(size);
    aboveAverageList.reserve(size);
    listing.ranking.reserve(size);
    listing.text.reserve(size * (2 * runtime::kNumberChars + 3));
    listing.ends.reserve(size);
    individuals.resize(size);

    for (size_t g = 0; g < kGenes; ++g)
        scale_[g] = static_cast<float>(config.upperBounds[g] - config.lowerBounds[g]) /
                    static_cast<float>(geneRange);

    random().reseed(context_.clock);
    // The population's own record drew its genes here. Nothing reads them,
    // but every later draw depends on their count.
    for (int32_t g = 0; g < kGenes; ++g) random().next();

    float maximum = 0.0f;
    float minimum = 1.0f;
    for (int32_t i = 0; i < popSize; ++i) {
        for (int32_t& gene : at(i).genes) gene = random().below(geneRange) + config.minGene;
        fitnessList.push_back({i, rate(i)});
        tally(i, maximum, minimum);
    }
    finishMeans();
    printStatistics();
}

float Population::rateByScript(int32_t i) {
    // The phenotype: each gene mapped into its window, in double precision
    // as the engine's extended precision does, truncated.
    int32_t phenotype[kGenes];
    const Genes& genes = at(i).genes;
    for (size_t g = 0; g < kGenes; ++g)
        phenotype[g] =
            static_cast<int32_t>(static_cast<double>(genes[g]) * scale_[g] + config.lowerBounds[g]);
    // The script reads the genes from "smallarray" and answers in "chromosom".
    const script::Bindings& script = context_.script;
    int32_t* small = script.number(script::SmallArray);
    const int32_t* verdict = script.number(script::Chromosom);
    const int32_t judge = script.handle(script::CalculateFitness);
    if (small != nullptr)
        for (size_t g = 0; g < kGenes; ++g) small[g] = abi::fromInt(phenotype[g]);
    if (judge != 0 && small != nullptr && verdict != nullptr)
        context_.engine.callScriptFunction(judge, abi::fromInt(i), 0, 0, 0);
    return verdict != nullptr ? static_cast<float>(static_cast<double>(*verdict) / abi::kOne)
                              : 0.0f;
}

float Population::rate(int32_t i) {
    Individual& ind = at(i);
    const Genes& genes = ind.genes;
    float fitness = 0.0f;
    switch (config.fitnessKind) {
        case FitnessKind::Script:
            fitness = rateByScript(i);
            break;
        case FitnessKind::GeneCloseness:
            for (size_t g = 0; g < kGenes; ++g) {
                const int32_t distance = std::abs(config.target[g] - genes[g]);
                fitness += distance == 0 ? 1.0f
                                         : 1.0f - static_cast<float>(distance) /
                                                      static_cast<float>(geneRange);
            }
            fitness /= static_cast<float>(kGenes);
            break;
        case FitnessKind::MeanCloseness: {
            const int32_t mean = (genes[0] + genes[1] + genes[2]) / kGenes;
            fitness = 1.0f - static_cast<float>(std::abs(config.target[0] - mean)) /
                                 static_cast<float>(geneRange);
            break;
        }
    }
    ind.fitness = fitness;
    return fitness;
}

void Population::tally(int32_t i, float& maximum, float& minimum) {
    const Individual& ind = at(i);
    for (size_t g = 0; g < kGenes; ++g) geneMeans[g] += ind.genes[g];
    averageFitness += ind.fitness;
    // Strict comparisons: the first of equal values wins.
    if (ind.fitness > maximum) {
        bestIndex = i;
        maximum = ind.fitness;
    }
    if (ind.fitness < minimum) {
        worstIndex = i;
        minimum = ind.fitness;
    }
}

void Population::finishMeans() {
    averageFitness /= static_cast<float>(popSize);
    for (int32_t& mean : geneMeans) mean /= popSize;
}

void Population::printStatistics() {
    report().line() << "MaxFitnesst " << at(bestIndex).fitness << " MinFitness  "
                    << at(worstIndex).fitness << "\nAverage Fitness ist " << averageFitness
                    << " \n";
}

void Population::updateStatistics() {
    random().reseed(context_.clock);
    averageFitness = 0.0f;
    geneMeans.fill(0);
    float maximum = 0.0f;
    float minimum = 1.0f;
    IndexedValue* ranking = fitnessList.data();
    for (int32_t i = 0; i < popSize; ++i) {
        ranking[i] = {i, rate(i)};
        tally(i, maximum, minimum);
    }
    finishMeans();
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

int32_t thousandthsVar(float fitness) {
    // float x 1000 x 1024 is exact in double, as in the engine's extended
    // precision; the script may leave any value in "chromosom", so the
    // product can lie beyond int32.
    const double product = static_cast<double>(fitness) * 1000.0 * abi::kOne;
    if (std::isnan(product)) return 0;
    if (product >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (product <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(product);
}

}  // namespace evoplug::genetic
