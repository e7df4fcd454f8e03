// Comma-separated tables of a run and of a comparison.
#pragma once

#include <string>
#include <vector>

#include "compare.h"
#include "simulation.h"

namespace evolve {

// Header "generation,average,minimal,maximal", one row per generation.
std::string fitnessCsv(const std::vector<Stats>& history);

std::string compareCsv(const std::vector<CompareRow>& rows);

}  // namespace evolve
