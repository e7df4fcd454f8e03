#include <algorithm>
#include <cstdlib>
#include <utility>

#include "genetic/operators.h"
#include "genetic/ranking_listing.h"

namespace evoplug::genetic {
namespace {

// Phase bit = rand() % 2, flipped after every gene: at gene g, a and b swap
// gene g when the bit is 1 and keep it when it is 0. Then a, then b, is
// rated again.
void exchangeGenes(Population& pop, int32_t a, int32_t b) {
    int32_t phase = pop.random().below(2);
    Genes& first = pop.at(a).genes;
    Genes& second = pop.at(b).genes;
    for (size_t g = 0; g < kGenes; ++g) {
        if (phase == 1) std::swap(first[g], second[g]);
        phase ^= 1;
    }
    pop.rate(a);
    pop.rate(b);
}

void averageGene(Population& pop, int32_t x, int32_t y, size_t g) {
    pop.at(x).genes[g] = (pop.at(x).genes[g] + pop.at(y).genes[g]) / 2;
}

// Sorts the ranking, then lists it on the report.
void sortAndListRanking(Population& pop) {
    pop.sortRanking();
    pop.context().listing.print(pop.report(), pop.ranking());
    pop.report().line() << "Jetzt ist der Vektor sortiert";
}

void matingPass(Population& pop, Mating mating) {
    const auto mate = mating == Mating::Exchange ? exchangeGenes : enrich;
    // The ranking has popSize entries: more pairs than popSize / 2 would read
    // beyond it.
    const int32_t pairs = std::min(pop.config.crossoverCount, pop.popSize / 2);
    for (int32_t pair = 0; pair < pairs; ++pair) {
        sortAndListRanking(pop);
        const auto first = static_cast<size_t>(2 * pair);
        mate(pop, pop.ranking()[first].index, pop.ranking()[first + 1].index);
    }
}

}  // namespace

void crossbreed(Population& pop, CrossbreedKind kind) {
    const CrossbreedRow* row = rowOf(kCrossbreeds, kind);
    if (row == nullptr) return;
    for (size_t pass = 0; pass < row->passCount; ++pass) matingPass(pop, row->passes[pass]);
}

void enrich(Population& pop, int32_t a, int32_t b) {
    // On equal fitness b, the later one in the ranking, counts as fitter.
    const bool aFitter = pop.at(a).fitness > pop.at(b).fitness;
    const int32_t hi = aFitter ? a : b;
    const int32_t lo = aFitter ? b : a;
    for (size_t g = 0; g < kGenes; ++g) {
        const int32_t best = pop.at(pop.statistics().best).genes[g];
        const int32_t dHi = pop.at(hi).genes[g] - best;
        const int32_t dLo = pop.at(lo).genes[g] - best;
        // The parent farther from the best moves to the mean; on a tie the
        // fitter one does. The statistics pass rates both again.
        if (std::abs(dHi) >= std::abs(dLo))
            averageGene(pop, hi, lo, g);
        else
            averageGene(pop, lo, hi, g);
    }
}

}  // namespace evoplug::genetic
