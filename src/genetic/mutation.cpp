#include <cstdlib>
#include <iostream>

#include "genetic/operators.h"
#include "genetic/report_format.h"
#include "runtime/random.h"

namespace evoplug::genetic {

void mutate(Population& pop) {
    constexpr int32_t kPerMille = 1000;
    if (runtime::drawBelow(kPerMille) >= pop.mutationRate) {
        ReportLine(std::cout) << "\nKeine Mutation\n";
        return;
    }
    // The gene is drawn before the individual.
    const int32_t g = runtime::drawBelow(pop.geneCount);
    const int32_t k = runtime::drawBelow(pop.popSize);
    const int32_t v = runtime::drawBelow(pop.geneRange) + pop.minGene;
    Individual& ind = pop.individuals[static_cast<size_t>(k)];
    ind.genes[static_cast<size_t>(g)] = v;
    ind.distance[static_cast<size_t>(g)] = std::abs(pop.target[g] - v);
    pop.reevaluate(k);
    ReportLine(std::cout) << "Hallo Mutation ergibt neue Fitness " << ind.fitness;
}

}  // namespace evoplug::genetic
