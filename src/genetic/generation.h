// One generation of the genetic algorithm.
#pragma once

#include "genetic/population.h"

namespace evoplug::genetic {

// Mutation, selection, crossbreeding and a statistics pass.
void runGeneration(Population& pop);

}  // namespace evoplug::genetic
