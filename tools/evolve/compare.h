// Selection x crossbreed pairs run with the same settings, on the same clocks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "options.h"
#include "simulation.h"

namespace evoplug::host {
class Plugin;
}

namespace evolve {

struct CompareRow {
    int selection = 0;
    // Indices into crossbreedNames(); more than one when none of them mates,
    // as they then behave alike and one run stands for them all.
    std::vector<int> crossbreeds;
    // One per seed: the average after the last generation, and the highest
    // maximal of any population up to it.
    std::vector<double> finalAverage, best;
};

// The rows --compare runs: every selection and crossbreed, or only the
// --selection or --crossbreed given.
std::vector<CompareRow> comparedPairs(const Options& options);

// Fills every row with a run per seed, seed k on the clock k * (generations
// + 1) seconds on, so that no two runs share a second. A stop signal ends it:
// only rows with all their runs are returned. `beforeRun` sees each run,
// `onGeneration` each of its generations (and tells whether it mutated),
// `onRow` each row done.
std::vector<CompareRow> runComparison(
    const evoplug::host::Plugin& plugin, const Options& options, std::vector<CompareRow> rows,
    const std::function<void(const Options& run, int index, int runs)>& beforeRun,
    const std::function<bool(int generation, const Stats& stats)>& onGeneration,
    const std::function<void(const CompareRow& row)>& onRow);

double mean(const std::vector<double>& values);
double spread(const std::vector<double>& values);  // standard deviation

// Best mean final average first; equal means by the mean best fitness.
std::vector<CompareRow> ranked(std::vector<CompareRow> rows);

std::string crossbreedLabel(const CompareRow& row);

// The rows as an aligned table in the order given, with a note on the
// crossbreeds that share a row.
std::string compareTable(const std::vector<CompareRow>& rows);

}  // namespace evolve
