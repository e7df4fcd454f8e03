#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "genetic/operators.h"

namespace evoplug::genetic {
namespace {

bool sameRanking(const IndexedList& a, const IndexedList& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(IndexedValue)) == 0);
}

// The ranking's lines, "fitness\t\tindex\n" each.
void formatListing(Population::Listing& listing, const IndexedList& ranking) {
    listing.text.clear();
    listing.ends.clear();
    char line[2 * runtime::kNumberChars + 3];
    for (const IndexedValue& entry : ranking) {
        size_t n = runtime::formatFloat(entry.value, line);
        line[n++] = '\t';
        line[n++] = '\t';
        n += runtime::formatInt(entry.index, line + n);
        line[n++] = '\n';
        listing.text.insert(listing.text.end(), line, line + n);
        listing.ends.push_back(static_cast<uint32_t>(listing.text.size()));
    }
    listing.ranking.assign(ranking.begin(), ranking.end());
    listing.valid = true;
}

}  // namespace

void crossbreed(Population& pop, CrossbreedKind kind) {
    switch (kind) {
        case CrossbreedKind::Elite:
            matingPass(pop, Mating::Exchange);
            matingPass(pop, Mating::Enrich);
            break;
        case CrossbreedKind::Enrichment:
            matingPass(pop, Mating::Enrich);
            break;
        default:  // love marriage, plebs and hedonism leave the population alone
            break;
    }
}

void matingPass(Population& pop, Mating method) {
    // The ranking has popSize entries: more pairs than popSize / 2 would read
    // beyond it.
    const int32_t pairs = std::min(pop.config.crossoverCount, pop.popSize / 2);
    for (int32_t pair = 0; pair < pairs; ++pair) mate(pop, method, pair);
}

void mate(Population& pop, Mating method, int32_t pairNumber) {
    sortFitnessList(pop);
    const auto first = static_cast<size_t>(2 * pairNumber);
    const int32_t a = pop.fitnessList[first].index;
    const int32_t b = pop.fitnessList[first + 1].index;
    if (method == Mating::Exchange)
        exchangeGenes(pop, a, b);
    else
        enrich(pop, a, b);
}

void sortFitnessList(Population& pop) {
    sortByValueThenIndex(pop.fitnessList);
    Population::Listing& listing = pop.listing;
    if (!listing.valid || !sameRanking(listing.ranking, pop.fitnessList))
        formatListing(listing, pop.fitnessList);
    // Every line is flushed on its own.
    runtime::Report& report = pop.report();
    uint32_t start = 0;
    for (const uint32_t end : listing.ends) {
        report.write(listing.text.data() + start, end - start);
        report.flush();
        start = end;
    }
    report.line() << "Jetzt ist der Vektor sortiert";
}

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

void enrich(Population& pop, int32_t a, int32_t b) {
    // On equal fitness b, the later one in the ranking, counts as fitter.
    const bool aFitter = pop.at(a).fitness > pop.at(b).fitness;
    const int32_t hi = aFitter ? a : b;
    const int32_t lo = aFitter ? b : a;
    for (int32_t g = 0; g < kGenes; ++g) {
        const auto k = static_cast<size_t>(g);
        const int32_t best = pop.at(pop.bestIndex).genes[k];
        const int32_t dHi = pop.at(hi).genes[k] - best;
        const int32_t dLo = pop.at(lo).genes[k] - best;
        // The parent farther from the best moves to the mean; on a tie the
        // fitter one does. The statistics pass rates both again.
        if (std::abs(dHi) >= std::abs(dLo))
            averageGene(pop, hi, lo, g);
        else
            averageGene(pop, lo, hi, g);
    }
}

void averageGene(Population& pop, int32_t x, int32_t y, int32_t g) {
    const auto k = static_cast<size_t>(g);
    pop.at(x).genes[k] = (pop.at(x).genes[k] + pop.at(y).genes[k]) / 2;
}

}  // namespace evoplug::genetic
