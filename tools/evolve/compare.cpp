#include "compare.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace evolve {
namespace {

const char* const kNoMating = "(no mating)";

}  // namespace

std::vector<CompareRow> comparedPairs(const Options& options) {
    const int selections = static_cast<int>(selectionNames().size());
    const int crossbreeds = static_cast<int>(crossbreedNames().size());
    std::vector<CompareRow> rows;
    for (int s = 0; s < selections; ++s) {
        if (options.given.count("selection") && s != options.selection) continue;
        CompareRow idle{s, {}, {}, {}};
        for (int c = 0; c < crossbreeds; ++c) {
            if (options.given.count("crossbreed") && c != options.crossbreed) continue;
            if (matingPasses(c) > 0)
                rows.push_back({s, {c}, {}, {}});
            else
                idle.crossbreeds.push_back(c);
        }
        if (!idle.crossbreeds.empty()) rows.push_back(idle);
    }
    return rows;
}

std::vector<CompareRow> runComparison(
    const evoplug::host::Plugin& plugin, const Options& options, std::vector<CompareRow> rows,
    const std::function<void(const Options& run, int index, int runs)>& beforeRun,
    const std::function<bool(int generation, const Stats& stats)>& onGeneration,
    const std::function<void(const CompareRow& row)>& onRow) {
    const int runs = static_cast<int>(rows.size()) * options.seeds;
    for (size_t r = 0; r < rows.size(); ++r) {
        CompareRow& row = rows[r];
        for (int seed = 0; seed < options.seeds; ++seed) {
            Options run = options;
            run.selection = row.selection;
            run.crossbreed = row.crossbreeds.front();
            run.clock = *options.clock + int64_t{seed} * (options.generations + 1);
            beforeRun(run, static_cast<int>(r) * options.seeds + seed, runs);
            RunResult result =
                runEvolution(plugin, run, [&](const Simulation& s, const Stats& stats) {
                    return onGeneration(s.generation(), stats);
                });
            if (static_cast<int>(result.history.size()) < options.generations) {
                rows.resize(r);
                return rows;
            }
            // What the last generation produced counts, not what it started from.
            double best = result.last.maximal;
            for (const Stats& stats : result.history) best = std::max(best, stats.maximal);
            row.best.push_back(best);
            row.finalAverage.push_back(result.last.average);
        }
        onRow(row);
    }
    return rows;
}

double mean(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / values.size();
}

double spread(const std::vector<double>& values) {
    const double m = mean(values);
    double squares = 0;
    for (double v : values) squares += (v - m) * (v - m);
    return std::sqrt(squares / values.size());
}

std::vector<CompareRow> ranked(std::vector<CompareRow> rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const CompareRow& a, const CompareRow& b) {
        if (mean(a.finalAverage) != mean(b.finalAverage))
            return mean(a.finalAverage) > mean(b.finalAverage);
        return mean(a.best) > mean(b.best);
    });
    return rows;
}

std::string crossbreedLabel(const CompareRow& row) {
    return row.crossbreeds.size() > 1 ? kNoMating : crossbreedNames()[row.crossbreeds.front()];
}

std::string compareTable(const std::vector<CompareRow>& rows) {
    size_t selWidth = 9, crossWidth = 11;  // "selection", "(no mating)"
    for (const auto& name : selectionNames()) selWidth = std::max(selWidth, name.size());
    for (const auto& name : crossbreedNames()) crossWidth = std::max(crossWidth, name.size());
    char line[160];
    const char* format = "%-*s  %-*s  %13s  %8s  %8s\n";
    std::snprintf(line, sizeof line, format, int(selWidth), "selection", int(crossWidth),
                  "crossbreed", "final average", "spread", "best");
    std::string table = line, shared;
    for (const CompareRow& row : rows) {
        // One run has no spread to show.
        const std::string deviation =
            row.finalAverage.size() > 1 ? figure(spread(row.finalAverage)) : "-";
        std::snprintf(line, sizeof line, format, int(selWidth),
                      selectionNames()[row.selection].c_str(), int(crossWidth),
                      crossbreedLabel(row).c_str(), figure(mean(row.finalAverage)).c_str(),
                      deviation.c_str(), figure(mean(row.best)).c_str());
        table += line;
        if (row.crossbreeds.size() > 1 && shared.empty())
            for (int c : row.crossbreeds)
                shared += (shared.empty() ? "" : ", ") + crossbreedNames()[c];
    }
    if (!shared.empty())
        table += std::string(kNoMating) + ": " + shared +
                 " run no crossbreeding and so behave alike; one run stands for them all.\n";
    const size_t seeds = rows.empty() ? 0 : rows.front().finalAverage.size();
    if (seeds > 1)
        table += "Means over " + std::to_string(seeds) +
                 " runs on different clocks; spread: their standard deviation.\n";
    return table;
}

}  // namespace evolve
