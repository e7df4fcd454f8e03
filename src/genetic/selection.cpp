#include <array>
#include <cstdlib>

#include "genetic/operators.h"

namespace evoplug::genetic {
namespace {

constexpr int32_t kTournamentRounds = 10;
constexpr int32_t kRoulettePercent = 10;
// Excentricity counts whole thousands of total gene deviation. With genes up
// to 254 every individual's is 0, so Excentric copies the last one at or
// above the average: that is the strategy's behaviour, not a slip to fix.
constexpr int32_t kExcentricityUnit = 1000;

void copyIndividual(Population& pop, int32_t donor, int32_t receiver) {
    pop.at(receiver).genes = pop.at(donor).genes;
    pop.rate(receiver);
}

// One-point crossover: cut point p = rand() % 3, then coin c = rand() % 2.
// With c 1 the receiver takes the donor's genes p to the last, otherwise
// genes 0 to p, so it always receives at least one donor gene. The donor is
// unchanged.
void crossInto(Population& pop, int32_t donor, int32_t receiver) {
    const int32_t p = pop.random().below(kGenes);
    const bool fromCut = pop.random().below(2) == 1;
    const int32_t first = fromCut ? p : 0;
    const int32_t last = fromCut ? kGenes - 1 : p;
    const Genes& from = pop.at(donor).genes;
    Genes& to = pop.at(receiver).genes;
    for (auto g = static_cast<size_t>(first); g <= static_cast<size_t>(last); ++g) to[g] = from[g];
}

void minMaxSubst(Population& pop) {
    copyIndividual(pop, pop.statistics().best, pop.statistics().worst);
}

void tournament(Population& pop) {
    for (int32_t round = 0; round < kTournamentRounds; ++round) {
        const int32_t contender = pop.random().below(pop.popSize);
        Genes& genes = pop.at(contender).genes;
        const Genes& best = pop.at(pop.statistics().best).genes;
        for (size_t g = 0; g < kGenes; ++g) {
            const int32_t challenger = pop.random().below(pop.geneRange) + pop.config.minGene;
            // An equally close challenger leaves the contender's gene.
            if (std::abs(best[g] - challenger) < std::abs(best[g] - genes[g]))
                genes[g] = challenger;
        }
        pop.rate(contender);
    }
}

void neighbour(Population& pop) {
    const int32_t receiver = pop.statistics().worst;
    float threshold = 1.0f;
    int32_t candidate = -1;
    for (int32_t j = 0; j < pop.popSize; ++j) {
        if (j == receiver) continue;
        if (pop.at(j).fitness < threshold) {
            candidate = j;
            threshold = pop.at(j).fitness;
        }
    }
    // Nobody but the receiver below 1.0: nothing to cross in.
    if (candidate < 0) return;
    crossInto(pop, candidate, receiver);
    pop.rate(receiver);
}

void minMaxCross(Population& pop) {
    // The statistics pass rates the worst again.
    crossInto(pop, pop.statistics().best, pop.statistics().worst);
}

void rouletteWheel(Population& pop) {
    pop.aboveAverageList.clear();
    for (int32_t i = 0; i < pop.popSize; ++i) {
        const float f = pop.at(i).fitness;
        if (f > pop.statistics().average) pop.aboveAverageList.push_back({i, f});
    }
    // Rounding of the average, or a mutation since it was taken, can leave
    // nobody above it while someone is below. Each such individual still
    // draws its chance, so later draws stay where they would be; without a
    // donor a hit receives nothing.
    for (int32_t i = 0; i < pop.popSize; ++i) {
        // Counted again each time: a generation that the script runs from
        // inside a rating refills the list.
        const auto donors = static_cast<int32_t>(pop.aboveAverageList.size());
        if (!(pop.at(i).fitness < pop.statistics().average)) continue;
        if (pop.random().below(100) >= kRoulettePercent || donors == 0) continue;
        const int32_t j = pop.random().below(donors);
        crossInto(pop, pop.aboveAverageList[static_cast<size_t>(j)].index, i);
        pop.rate(i);
    }
}

void excentric(Population& pop) {
    // Within the capacity reserved at creation: no allocation.
    IndexedList& list = pop.excentricityList;
    list.resize(static_cast<size_t>(pop.popSize));
    for (int32_t i = 0; i < pop.popSize; ++i)
        list[static_cast<size_t>(i)] = {i, excentricity(pop, i)};
    sortByValueThenIndex(list);
    // The most excentric individual at or above the average fitness.
    for (auto entry = list.rbegin(); entry != list.rend(); ++entry) {
        if (pop.at(entry->index).fitness >= pop.statistics().average) {
            const int32_t worst = pop.statistics().worst;
            copyIndividual(pop, entry->index, worst);
            // Rated a second time: the script sees both calls, so this stays.
            pop.rate(worst);
            return;
        }
    }
    // Only rounding of the average can leave nobody at or above it: no change.
}

struct SelectionOperator {
    SelectionKind kind;
    void (*run)(Population&);
};

// The operator of each row of kSelections, in its order.
constexpr std::array<SelectionOperator, kSelections.size()> kSelectionOperators = {{
    {SelectionKind::MinMaxSubst, minMaxSubst},
    {SelectionKind::Tournament, tournament},
    {SelectionKind::Neighbour, neighbour},
    {SelectionKind::MinMaxCross, minMaxCross},
    {SelectionKind::RouletteWheel, rouletteWheel},
    {SelectionKind::Excentric, excentric},
}};

constexpr bool matchesTheList() {
    for (size_t row = 0; row < kSelections.size(); ++row)
        if (kSelectionOperators[row].kind != kSelections[row].kind) return false;
    return true;
}
static_assert(matchesTheList(), "one operator per selection, in the list's order");

}  // namespace

void select(Population& pop, SelectionKind kind) {
    // The labels say fitness; the values are gene 0 of the best and worst.
    pop.report().line() << "\nHallo Selektion\n"
                        << "\nMax Fitness 0 = " << pop.at(pop.statistics().best).genes[0]
                        << "\nMin Fitness 0 = " << pop.at(pop.statistics().worst).genes[0] << "\n";
    if (const SelectionOperator* op = rowOf(kSelectionOperators, kind)) op->run(pop);
}

float excentricity(const Population& pop, int32_t i) {
    const Genes& genes = pop.at(i).genes;
    const Genes& means = pop.statistics().geneMeans;
    int32_t deviation = 0;
    for (size_t g = 0; g < kGenes; ++g) deviation += std::abs(genes[g] - means[g]);
    return static_cast<float>(deviation / kExcentricityUnit);
}

}  // namespace evoplug::genetic
