// Every selection x crossbreed pair run with the same settings and clock.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "options.h"

namespace evolve {

struct CompareRow {
    int selection = 0, crossbreed = 0;  // indices into the name lists
    double best = 0;                    // highest "maximal" of the run
    double finalAverage = 0, finalMinimal = 0;
};

// One row per pair, selection-major. `beforeRun` is told which pair is next.
std::vector<CompareRow> runComparison(const Options& options,
                                      const std::function<void(int run, int runs)>& beforeRun);

// Best final average first; equal averages by best fitness.
std::vector<CompareRow> ranked(std::vector<CompareRow> rows);

// The rows as an aligned table, in the order given.
std::string compareTable(const std::vector<CompareRow>& rows);

}  // namespace evolve
