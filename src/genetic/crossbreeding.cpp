#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <utility>

#include "genetic/operators.h"
#include "genetic/report_format.h"
#include "runtime/random.h"

namespace evoplug::genetic {
namespace {

Individual& at(Population& pop, int32_t i) { return pop.individuals[static_cast<size_t>(i)]; }

bool sameRanking(const IndexedList& a, const IndexedList& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(IndexedValue)) == 0);
}

// Formats the ranking's lines into the listing, as a stream of default
// format writes them.
void formatListing(Population::Listing& listing, const IndexedList& ranking) {
    listing.text.clear();
    listing.ends.clear();
    char line[2 * kNumberChars + 3];
    for (const IndexedValue& entry : ranking) {
        size_t n = formatFloatAsStream(entry.value, line);
        line[n++] = '\t';
        line[n++] = '\t';
        n += formatInt(entry.index, line + n);
        line[n++] = '\n';
        listing.text.insert(listing.text.end(), line, line + n);
        listing.ends.push_back(static_cast<uint32_t>(listing.text.size()));
    }
    listing.ranking.assign(ranking.begin(), ranking.end());
    listing.valid = true;
}

}  // namespace

void crossbreed(Population& pop, int32_t kind) {
    switch (kind) {
        case kElite:
            matingPass(pop, kExchangeMating);
            matingPass(pop, kEnrichMating);
            break;
        case kEnrichment:
            matingPass(pop, kEnrichMating);
            break;
        default:  // love marriage, plebs and hedonism leave the population alone
            break;
    }
}

void matingPass(Population& pop, int32_t method) {
    // The ranking has popSize entries: more pairs than popSize / 2 would read
    // beyond it.
    const int32_t pairs = std::min(pop.crossoverCount, pop.popSize / 2);
    for (int32_t pair = 0; pair < pairs; ++pair) mate(pop, method, pair);
}

void mate(Population& pop, int32_t method, int32_t pairNumber) {
    sortFitnessList(pop);
    const auto first = static_cast<size_t>(2 * pairNumber);
    const int32_t a = pop.fitnessList[first].index;
    const int32_t b = pop.fitnessList[first + 1].index;
    if (method == kExchangeMating)
        exchangeGenes(pop, a, b);
    else if (method == kEnrichMating)
        enrich(pop, a, b);
}

void sortFitnessList(Population& pop) {
    sortByValueThenIndex(pop.fitnessList);
    Population::Listing& listing = pop.listing;
    if (defaultFormat(std::cout)) {
        if (!listing.valid || !sameRanking(listing.ranking, pop.fitnessList))
            formatListing(listing, pop.fitnessList);
        // The same bytes and flushes as writing each entry with std::endl.
        uint32_t start = 0;
        for (const uint32_t end : listing.ends) {
            std::cout.write(listing.text.data() + start, end - start);
            std::cout.flush();
            start = end;
        }
    } else {
        for (const IndexedValue& entry : pop.fitnessList)
            std::cout << entry.value << "\t\t" << entry.index << std::endl;
    }
    ReportLine(std::cout) << "Jetzt ist der Vektor sortiert";
}

// Phase bit = rand() % 2, flipped after every gene: at gene g, a and b swap
// gene g when the bit is 1 and keep it when it is 0. Distances stay as they
// are; a, then b, is rated again.
void exchangeGenes(Population& pop, int32_t a, int32_t b) {
    int32_t phase = runtime::drawBelow(2);
    Individual& first = at(pop, a);
    Individual& second = at(pop, b);
    for (size_t g = 0; g < static_cast<size_t>(pop.geneCount); ++g) {
        if (phase == 1) std::swap(first.genes[g], second.genes[g]);
        phase ^= 1;
    }
    pop.reevaluate(a);
    pop.reevaluate(b);
}

void enrich(Population& pop, int32_t a, int32_t b) {
    // On equal fitness b, the later one in the ranking, counts as fitter.
    const bool aFitter =
        pop.fitnessValues[static_cast<size_t>(a)] > pop.fitnessValues[static_cast<size_t>(b)];
    const int32_t hi = aFitter ? a : b;
    const int32_t lo = aFitter ? b : a;
    for (int32_t g = 0; g < pop.geneCount; ++g) {
        const auto k = static_cast<size_t>(g);
        const int32_t best = at(pop, pop.bestIndex).genes[k];
        const int32_t dHi = at(pop, hi).genes[k] - best;
        const int32_t dLo = at(pop, lo).genes[k] - best;
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
    at(pop, x).genes[k] = (at(pop, x).genes[k] + at(pop, y).genes[k]) / 2;
}

}  // namespace evoplug::genetic
