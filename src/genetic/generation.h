// The generation driver that the script calls through `evolution`.
#pragma once

#include <cstdint>

#include "genetic/population.h"

namespace evoplug::genetic {

// `count` times: mutation, selection, crossbreeding and a statistics pass.
// The two values are handed on by `evolution` and not used.
void runGenerations(Population& pop, int32_t count, int32_t first, int32_t second);

// One generation of the current population: publishes the previous
// statistics, runs it, and copies every chromosome into "bigarray". Without a
// population nothing happens. Returns 0.
int32_t evolution(int32_t first, int32_t second);

}  // namespace evoplug::genetic
