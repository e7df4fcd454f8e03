// Comma-separated tables of a run and of a comparison.
#pragma once

#include <string>
#include <vector>

#include "compare.h"
#include "simulation.h"

namespace evolve {

// One row per generation g from 1: what the g-th call of `evolution`
// published, with the standard deviation and the best genome of the same
// population (the one generation g started from).
std::string fitnessCsv(const std::vector<Stats>& history);

std::string compareCsv(const std::vector<CompareRow>& rows);

}  // namespace evolve
