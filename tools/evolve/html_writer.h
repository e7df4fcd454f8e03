// index.html: both pictures, the settings that made them, the final best
// individual and the command that runs it again.
#pragma once

#include <string>

#include "options.h"
#include "simulation.h"

namespace evolve {

std::string indexHtml(const Options& options, const RunResult& run, const std::string& command,
                      bool clockGiven);

}  // namespace evolve
