// Building a population from the script's settings, and the small exports
// around it.
#pragma once

#include <cstdint>

namespace evoplug::genetic {

// Removes the old population's entities, builds a new population from
// "num_elem", "stringlength", "mutation", "crossover" and the panel's choices,
// and gives every individual an entity carrying its genes. Settings outside
// the population's limits build nothing and keep the current population.
void CreateGenotype();
// Does nothing; the script still calls it.
void TransferChrom();
// Seeds the generator and binds the entities' action function by the text of
// "actionstring".
void init_Ortavia();
// Calls "CalculateFitness" with four zeros, when it is bound.
void MyFitness();
// Does nothing; the script still calls it.
void SendFitnessFunction();

}  // namespace evoplug::genetic
