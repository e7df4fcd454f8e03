#include "genetic/generation.h"

#include "genetic/operators.h"

namespace evoplug::genetic {

void runGeneration(Population& pop) {
    // The script's count of generations per call, always 1.
    pop.report().line() << "\nGenerations Nr " << int32_t{1} << "\n";
    mutate(pop);
    select(pop, pop.config.selection);
    crossbreed(pop, pop.config.crossbreed);
    pop.updateStatistics();
}

}  // namespace evoplug::genetic
