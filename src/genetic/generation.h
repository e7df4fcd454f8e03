// The generation driver that the script calls through `evolution`.
#pragma once

#include "genetic/population.h"

namespace evoplug::genetic {

// One generation: mutation, selection, crossbreeding and a statistics pass.
void runGeneration(Population& pop);

// Hands average, worst and best fitness (in thousandths) to the script.
void publishStatistics(const Population& pop);
// Copies every chromosome into "bigarray", three words per individual.
void publishChromosomes(const Population& pop);

}  // namespace evoplug::genetic
