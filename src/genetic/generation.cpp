#include "genetic/generation.h"

#include <algorithm>
#include <iostream>

#include "genetic/genetic_globals.h"
#include "genetic/operators.h"
#include "panel/script_bindings.h"

namespace evoplug::genetic {

void runGenerations(Population& pop, int32_t count, int32_t /*first*/, int32_t /*second*/) {
    for (int32_t n = 0; n < count; ++n) {
        std::cout << "\nGenerations Nr " << count << "\n";
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
    for (size_t i = 0; i < pop.individuals.size(); ++i)
        for (size_t k = 0; k < genes; ++k)
            big[kChromosomeGenes * i + k] = abi::fromInt(pop.individuals[i].genes[k]);
    return 0;
}

}  // namespace evoplug::genetic
