// How an individual is rated; the script's own rating goes through its
// "CalculateFitness" function.
#pragma once

#include <cstdint>

#include "genetic/individual.h"

namespace evoplug::genetic {

// The callback of every individual built by CreateGenotype: writes the values
// into "smallarray", lets "CalculateFitness" judge them (the index as its
// first argument) and reads the verdict back from "chromosom".
float scriptFitness(const int32_t* values, int32_t count, int32_t index);

}  // namespace evoplug::genetic
