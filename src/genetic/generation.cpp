#include "genetic/generation.h"

#include <algorithm>
#include <iostream>

#include "genetic/genetic_globals.h"
#include "genetic/operators.h"
#include "genetic/report_format.h"
#include "panel/script_bindings.h"

namespace evoplug::genetic {

void runGenerations(Population& pop, int32_t count, int32_t /*first*/, int32_t /*second*/) {
    for (int32_t n = 0; n < count; ++n) {
        ReportLine(std::cout) << "\nGenerations Nr " << count << "\n";
        mutate(pop);
        select(pop, pop.selectionKind);
        crossbreed(pop, pop.crossbreedKind);
        pop.updateStatistics();
    }
}

int32_t evolution(int32_t first, int32_t second) {
    if (!currentPopulation) return 0;
    Population& pop = *currentPopulation;
    pop.publishStatistics();
    runGenerations(pop, 1, first, second);
    int32_t* big = panel::bindings.bigArray;
    if (big == nullptr) return 0;
    const auto genes = static_cast<size_t>(std::min(pop.geneCount, kChromosomeGenes));
    if (genes == kChromosomeGenes) {
        // The usual chromosome, unrolled: this runs for every individual.
        for (const Individual& ind : pop.individuals) {
            const int32_t* g = ind.genes.data();
            big[0] = abi::fromInt(g[0]);
            big[1] = abi::fromInt(g[1]);
            big[2] = abi::fromInt(g[2]);
            big += kChromosomeGenes;
        }
        return 0;
    }
    for (const Individual& ind : pop.individuals) {
        const int32_t* g = ind.genes.data();
        for (size_t k = 0; k < genes; ++k) big[k] = abi::fromInt(g[k]);
        big += kChromosomeGenes;
    }
    return 0;
}

}  // namespace evoplug::genetic
