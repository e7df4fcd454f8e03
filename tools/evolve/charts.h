// SVG line chart of a run and bar chart of a comparison.
#pragma once

#include <string>
#include <vector>

#include "compare.h"
#include "simulation.h"

namespace evolve {

// The three statistics the script received over the generations, on an axis
// that reaches 1.
std::string fitnessSvg(const std::vector<Stats>& history, const std::string& title);

// Best and final average fitness of every row (means over its runs, the
// average with its spread), in the table's order, on an axis from 0.
std::string compareSvg(const std::vector<CompareRow>& rows, const std::string& title);

}  // namespace evolve
