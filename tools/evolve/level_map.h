// Top view of the level: every entity in its gene colour, before and after.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "simulation.h"

namespace evolve {

std::string levelSvg(const std::vector<Point>& positions, const std::vector<Rgb>& first,
                     const std::vector<Rgb>& last, int generations,
                     const std::array<int, 3>& target);

}  // namespace evolve
