// index.html: both pictures and the settings that made them.
#pragma once

#include <string>

#include "options.h"

namespace evolve {

std::string indexHtml(const Options& options, bool clockGiven, bool reportInFile);

}  // namespace evolve
