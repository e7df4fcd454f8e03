#include "genetic/population.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "genetic/report_format.h"
#include "panel/script_bindings.h"
#include "runtime/random.h"

namespace evoplug::genetic {

Population::Population(int32_t popSize_, int32_t geneCount_, int32_t minGene_, int32_t maxGene_,
                       const int32_t* target_, int32_t mutationRate_, int32_t crossoverCount_,
                       int32_t fitnessKind_, FitnessCallback fitnessCallback,
                       const int32_t* lowerBounds_, const int32_t* upperBounds_,
                       int32_t selectionKind_, int32_t crossbreedKind_) {
    // Every generation reuses these lists: no allocation after construction.
    fitnessList.reserve(static_cast<size_t>(popSize_));
    excentricityList.reserve(static_cast<size_t>(popSize_));
    aboveAverageList.reserve(static_cast<size_t>(popSize_));
    listing.ranking.reserve(static_cast<size_t>(popSize_));
    listing.text.reserve(static_cast<size_t>(popSize_) * (2 * kNumberChars + 3));
    listing.ends.reserve(static_cast<size_t>(popSize_));

    selectionKind = selectionKind_;
    crossbreedKind = crossbreedKind_;
    maxGene = maxGene_;
    minGene = minGene_;
    geneRange = std::abs(maxGene - minGene);
    geneCount = geneCount_;
    target = target_;
    const auto genes = static_cast<size_t>(geneCount);
    geneMeans.assign(genes, 0);
    lowerBounds = lowerBounds_;
    upperBounds = upperBounds_;
    span.assign(genes, 0);
    scale.assign(genes, 0.0f);
    for (size_t i = 0; i < genes; ++i) {
        span[i] = upperBounds[i] - lowerBounds[i];
        scale[i] = static_cast<float>(span[i]) / static_cast<float>(geneRange);
    }

    popSize = popSize_;
    mutationRate = mutationRate_;
    crossoverShare = static_cast<float>(crossoverCount_) / static_cast<float>(popSize);
    crossoverCount = crossoverCount_;
    fitnessKind = fitnessKind_;

    runtime::seedFromClock();
    own.initialise(geneCount, minGene, maxGene, target, lowerBounds, upperBounds, nullptr,
                   scale.data());

    const auto size = static_cast<size_t>(popSize);
    individuals.resize(size);
    fitnessValues.assign(size, 0.0f);
    excentricityValues.assign(size, 0.0f);
    averageFitness = 0.0f;
    float maximum = 0.0f;
    float minimum = 1.0f;
    for (int32_t i = 0; i < popSize; ++i) {
        Individual& ind = individuals[static_cast<size_t>(i)];
        ind.initialise(geneCount, minGene, maxGene, target, lowerBounds, upperBounds,
                       fitnessCallback, scale.data());
        ind.index = i;
        const float f = reevaluate(i);
        fitnessList.push_back({i, f});
        tally(i, f, maximum, minimum);
    }
    finishMeans();
    printStatistics();
}

float Population::reevaluate(int32_t i) {
    const auto at = static_cast<size_t>(i);
    fitnessValues[at] = individuals[at].evaluateFitness(fitnessKind);
    return fitnessValues[at];
}

void Population::tally(int32_t i, float fitness, float& maximum, float& minimum) {
    const int32_t* genes = individuals[static_cast<size_t>(i)].genes.data();
    int32_t* means = geneMeans.data();
    const size_t n = geneMeans.size();
    for (size_t k = 0; k < n; ++k) means[k] += genes[k];
    averageFitness += fitness;
    // Strict comparisons: the first of equal values wins.
    if (fitness > maximum) {
        bestIndex = i;
        maximum = fitness;
    }
    if (fitness < minimum) {
        worstIndex = i;
        minimum = fitness;
    }
}

void Population::finishMeans() {
    averageFitness /= static_cast<float>(popSize);
    for (int32_t& mean : geneMeans) mean /= popSize;
}

void Population::printStatistics() const {
    ReportLine(std::cout) << "MaxFitnesst " << fitnessValues[static_cast<size_t>(bestIndex)]
                          << " MinFitness  " << fitnessValues[static_cast<size_t>(worstIndex)]
                          << "\nAverage Fitness ist " << averageFitness << " \n";
}

void Population::updateStatistics() {
    runtime::seedFromClock();
    averageFitness = 0.0f;
    for (int32_t& mean : geneMeans) mean = 0;
    float maximum = 0.0f;
    float minimum = 1.0f;
    IndexedValue* ranking = fitnessList.data();
    for (int32_t i = 0; i < popSize; ++i) {
        const float f = reevaluate(i);
        ranking[i] = {i, f};
        tally(i, f, maximum, minimum);
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

void Population::publishStatistics() const {
    const panel::ScriptBindings& b = panel::bindings;
    if (b.average != nullptr) *b.average = thousandthsVar(averageFitness);
    if (b.minimal != nullptr)
        *b.minimal = thousandthsVar(individuals[static_cast<size_t>(worstIndex)].fitness);
    if (b.maximal != nullptr)
        *b.maximal = thousandthsVar(individuals[static_cast<size_t>(bestIndex)].fitness);
}

}  // namespace evoplug::genetic
