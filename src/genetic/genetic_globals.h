// The genetic algorithm's state, living as long as the library is loaded.
#pragma once

#include <cstdint>
#include <memory>

#include "bridge/host_interface.h"
#include "genetic/population.h"

namespace evoplug::genetic {

// The one population; empty until CreateGenotype has built one.
extern std::unique_ptr<Population> currentPopulation;
// Where the next entity is placed; the engine copies it.
extern int32_t positionVector[3];
// A string record of our own whose text is the model name handed to
// "ent_create"; only its text word is ever set.
extern abi::Word modelNameString[abi::string::kWords];
// Handle of the script function every entity runs, bound by init_Ortavia.
extern int32_t actionFunction;
// The verdict of the latest "CalculateFitness" call.
extern float lastScriptFitness;

}  // namespace evoplug::genetic
