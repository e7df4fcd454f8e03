// SVG line chart of a run and bar chart of a comparison.
#pragma once

#include <string>
#include <vector>

#include "compare.h"
#include "simulation.h"

namespace evolve {

// The three statistics over the generations, with axes and legend.
std::string fitnessSvg(const std::vector<Stats>& history, const std::string& title);

// Best and final average fitness of every pair, in the table's order.
std::string compareSvg(const std::vector<CompareRow>& rows, const std::string& title);

}  // namespace evolve
