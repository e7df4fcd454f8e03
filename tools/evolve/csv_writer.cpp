#include "csv_writer.h"

#include <cstdio>

#include "options.h"

namespace evolve {

std::string fitnessCsv(const std::vector<Stats>& history) {
    std::string csv = "generation,average,minimal,maximal,stddev,best_r,best_g,best_b\n";
    char line[160];
    for (size_t g = 0; g < history.size(); ++g) {
        const Stats& s = history[g];
        std::snprintf(line, sizeof line, "%zu,%.6f,%.6f,%.6f,%.6f,%d,%d,%d\n", g + 1, s.average,
                      s.minimal, s.maximal, s.stddev, s.best.r, s.best.g, s.best.b);
        csv += line;
    }
    return csv;
}

std::string compareCsv(const std::vector<CompareRow>& rows) {
    std::string csv = "selection,crossbreed,runs,final_average,spread,best\n";
    char numbers[96];
    for (const CompareRow& row : rows) {
        std::string crossbreeds;
        for (int c : row.crossbreeds)
            crossbreeds += (crossbreeds.empty() ? "" : "|") + crossbreedNames()[c];
        std::snprintf(numbers, sizeof numbers, ",%zu,%.6f,%.6f,%.6f\n", row.finalAverage.size(),
                      mean(row.finalAverage), spread(row.finalAverage), mean(row.best));
        csv += selectionNames()[row.selection] + "," + crossbreeds + numbers;
    }
    return csv;
}

}  // namespace evolve
