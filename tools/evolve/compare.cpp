#include "compare.h"

#include <algorithm>
#include <cstdio>

#include "simulation.h"

namespace evolve {

std::vector<CompareRow> runComparison(const Options& options,
                                      const std::function<void(int run, int runs)>& beforeRun) {
    std::vector<CompareRow> rows;
    int runs = static_cast<int>(selectionNames().size() * crossbreedNames().size());
    for (size_t s = 0; s < selectionNames().size(); ++s) {
        for (size_t c = 0; c < crossbreedNames().size(); ++c) {
            Options pair = options;
            pair.selection = static_cast<int>(s);
            pair.crossbreed = static_cast<int>(c);
            beforeRun(static_cast<int>(rows.size()), runs);
            // Each pair needs the plug-in's load-time state, hence a fresh copy.
            RunResult run = runEvolution(pair, true, [](const Simulation&) {});
            CompareRow row;
            row.selection = pair.selection;
            row.crossbreed = pair.crossbreed;
            for (const Stats& stats : run.history) row.best = std::max(row.best, stats.maximal);
            row.finalAverage = run.history.back().average;
            row.finalMinimal = run.history.back().minimal;
            rows.push_back(row);
        }
    }
    return rows;
}

std::vector<CompareRow> ranked(std::vector<CompareRow> rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const CompareRow& a, const CompareRow& b) {
        if (a.finalAverage != b.finalAverage) return a.finalAverage > b.finalAverage;
        return a.best > b.best;
    });
    return rows;
}

std::string compareTable(const std::vector<CompareRow>& rows) {
    size_t selWidth = 9, crossWidth = 10;  // the header words
    for (const auto& name : selectionNames()) selWidth = std::max(selWidth, name.size());
    for (const auto& name : crossbreedNames()) crossWidth = std::max(crossWidth, name.size());
    char line[160];
    std::snprintf(line, sizeof line, "%-*s  %-*s  %8s  %13s  %13s\n", int(selWidth), "selection",
                  int(crossWidth), "crossbreed", "best", "final average", "final minimal");
    std::string table = line;
    for (const CompareRow& row : rows) {
        std::snprintf(line, sizeof line, "%-*s  %-*s  %8.4f  %13.4f  %13.4f\n", int(selWidth),
                      selectionNames()[row.selection].c_str(), int(crossWidth),
                      crossbreedNames()[row.crossbreed].c_str(), row.best, row.finalAverage,
                      row.finalMinimal);
        table += line;
    }
    return table;
}

}  // namespace evolve
