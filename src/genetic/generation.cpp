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

void publishStatistics(const Population& pop) {
    const script::Bindings& script = pop.context().script;
    if (int32_t* average = script.number(script::Average))
        *average = thousandthsVar(pop.averageFitness);
    if (int32_t* minimal = script.number(script::Minimal))
        *minimal = thousandthsVar(pop.at(pop.worstIndex).fitness);
    if (int32_t* maximal = script.number(script::Maximal))
        *maximal = thousandthsVar(pop.at(pop.bestIndex).fitness);
}

void publishChromosomes(const Population& pop) {
    int32_t* big = pop.context().script.number(script::BigArray);
    if (big == nullptr) return;
    for (const Individual& ind : pop.individuals) {
        for (size_t g = 0; g < kGenes; ++g) big[g] = abi::fromInt(ind.genes[g]);
        big += kGenes;
    }
}

}  // namespace evoplug::genetic
