#include <cstdlib>

#include "genetic/operators.h"

namespace evoplug::genetic {

void mutate(Population& pop) {
    constexpr int32_t kPerMille = 1000;
    runtime::Random& random = pop.random();
    if (random.below(kPerMille) >= pop.config.mutationRate) {
        pop.report().line() << "\nKeine Mutation\n";
        return;
    }
    // The gene is drawn before the individual.
    const int32_t g = random.below(kGenes);
    const int32_t k = random.below(pop.popSize);
    pop.at(k).genes[static_cast<size_t>(g)] = random.below(pop.geneRange) + pop.config.minGene;
    const float fitness = pop.rate(k);
    pop.report().line() << "Hallo Mutation ergibt neue Fitness " << fitness;
}

}  // namespace evoplug::genetic
