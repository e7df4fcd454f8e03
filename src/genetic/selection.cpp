#include <cstdlib>
#include <iostream>

#include "genetic/operators.h"
#include "genetic/report_format.h"
#include "runtime/random.h"

namespace evoplug::genetic {
namespace {

constexpr int32_t kTournamentRounds = 10;
constexpr int32_t kRoulettePercent = 10;
// Excentricity counts whole thousands of total gene deviation.
constexpr int32_t kExcentricityUnit = 1000;

Individual& at(Population& pop, int32_t i) { return pop.individuals[static_cast<size_t>(i)]; }

}  // namespace

int32_t randomBelow(int32_t n) { return runtime::drawBelow(n); }

void select(Population& pop, int32_t kind) {
    // The labels say fitness; the values are gene 0 of the best and worst.
    ReportLine(std::cout) << "\nHallo Selektion\n"
                          << "\nMax Fitness 0 = " << at(pop, pop.bestIndex).genes[0]
                          << "\nMin Fitness 0 = " << at(pop, pop.worstIndex).genes[0] << "\n";
    switch (kind) {
        case kMinMaxSubst:
            copyIndividual(pop, pop.bestIndex, pop.worstIndex);
            break;
        case kTournament:
            for (int32_t round = 0; round < kTournamentRounds; ++round)
                tournamentRound(pop, randomBelow(pop.popSize), pop.bestIndex);
            break;
        case kNeighbour:
            neighbourSelection(pop, pop.worstIndex);
            break;
        case kMinMaxCross:
            // The statistics pass rates the worst again.
            crossInto(pop, pop.bestIndex, pop.worstIndex);
            break;
        case kRouletteWheel:
            rouletteWheel(pop);
            break;
        case kExcentric:
            excentricSelection(pop);
            break;
        default:
            break;
    }
}

void copyIndividual(Population& pop, int32_t donor, int32_t receiver) {
    const Individual& from = at(pop, donor);
    Individual& to = at(pop, receiver);
    for (size_t g = 0; g < static_cast<size_t>(pop.geneCount); ++g) {
        to.genes[g] = from.genes[g];
        to.distance[g] = from.distance[g];
    }
    pop.reevaluate(receiver);
}

// One-point crossover: cut point p = rand() % geneCount, then coin
// c = rand() % 2. With c 1 the receiver takes the donor's genes p to the last,
// otherwise genes 0 to p, so it always receives at least one donor gene; each
// taken gene brings the donor's distance entry. The donor is unchanged.
void crossInto(Population& pop, int32_t donor, int32_t receiver) {
    const int32_t p = runtime::drawBelow(pop.geneCount);
    const bool fromCut = runtime::drawBelow(2) == 1;
    const int32_t first = fromCut ? p : 0;
    const int32_t last = fromCut ? pop.geneCount - 1 : p;
    const Individual& from = at(pop, donor);
    Individual& to = at(pop, receiver);
    for (auto g = static_cast<size_t>(first); g <= static_cast<size_t>(last); ++g) {
        to.genes[g] = from.genes[g];
        to.distance[g] = from.distance[g];
    }
}

void tournamentRound(Population& pop, int32_t contender, int32_t reference) {
    Individual& k = at(pop, contender);
    const Individual& best = at(pop, reference);
    for (size_t g = 0; g < static_cast<size_t>(pop.geneCount); ++g) {
        const int32_t v = randomBelow(pop.geneRange) + pop.minGene;
        pop.own.genes[g] = v;
        // An equally close challenger leaves the contender's gene.
        if (std::abs(best.genes[g] - v) < std::abs(best.genes[g] - k.genes[g])) k.genes[g] = v;
    }
    pop.reevaluate(contender);
}

void neighbourSelection(Population& pop, int32_t receiver) {
    float threshold = 1.0f;
    int32_t candidate = -1;
    for (int32_t j = 0; j < pop.popSize; ++j) {
        if (j == receiver) continue;
        if (at(pop, j).fitness < threshold) {
            candidate = j;
            threshold = at(pop, j).fitness;
        }
    }
    // Nobody but the receiver below 1.0: nothing to cross in.
    if (candidate < 0) return;
    crossInto(pop, candidate, receiver);
    pop.reevaluate(receiver);
}

void rouletteWheel(Population& pop) {
    pop.aboveAverageList.clear();
    for (int32_t i = 0; i < pop.popSize; ++i) {
        const float f = pop.fitnessValues[static_cast<size_t>(i)];
        if (f > pop.averageFitness) pop.aboveAverageList.push_back({i, f});
    }
    // Rounding of the average, or a mutation since it was taken, can leave
    // nobody above it while someone is below. Each such individual still
    // draws its chance, so later draws stay where they would be; without a
    // donor a hit receives nothing.
    const auto donors = static_cast<int32_t>(pop.aboveAverageList.size());
    for (int32_t i = 0; i < pop.popSize; ++i) {
        if (!(pop.fitnessValues[static_cast<size_t>(i)] < pop.averageFitness)) continue;
        if (randomBelow(100) >= kRoulettePercent || donors == 0) continue;
        const int32_t j = randomBelow(donors);
        crossInto(pop, pop.aboveAverageList[static_cast<size_t>(j)].index, i);
        pop.reevaluate(i);
    }
}

float excentricity(const Population& pop, int32_t i) {
    const int32_t* genes = pop.individuals[static_cast<size_t>(i)].genes.data();
    const int32_t* means = pop.geneMeans.data();
    int32_t deviation = 0;
    for (int32_t g = 0; g < pop.geneCount; ++g) deviation += std::abs(genes[g] - means[g]);
    return static_cast<float>(deviation / kExcentricityUnit);
}

void buildExcentricityList(Population& pop) {
    // Within the capacity reserved at creation: no allocation.
    pop.excentricityList.resize(static_cast<size_t>(pop.popSize));
    IndexedValue* list = pop.excentricityList.data();
    float* values = pop.excentricityValues.data();
    for (int32_t i = 0; i < pop.popSize; ++i) {
        const float e = excentricity(pop, i);
        values[i] = e;
        list[i] = {i, e};
    }
    sortByValueThenIndex(pop.excentricityList);
}

void excentricSelection(Population& pop) {
    buildExcentricityList(pop);
    for (auto entry = pop.excentricityList.rbegin(); entry != pop.excentricityList.rend();
         ++entry) {
        if (pop.fitnessValues[static_cast<size_t>(entry->index)] >= pop.averageFitness) {
            copyIndividual(pop, entry->index, pop.worstIndex);
            pop.reevaluate(pop.worstIndex);
            return;
        }
    }
    // Only rounding of the average can leave nobody at or above it: no change.
}

}  // namespace evoplug::genetic
