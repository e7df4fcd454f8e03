#include "csv_writer.h"

#include <cstdio>

#include "options.h"

namespace evolve {

std::string fitnessCsv(const std::vector<Stats>& history) {
    std::string csv = "generation,average,minimal,maximal\n";
    char line[128];
    for (size_t g = 0; g < history.size(); ++g) {
        const Stats& s = history[g];
        std::snprintf(line, sizeof line, "%zu,%.6f,%.6f,%.6f\n", g + 1, s.average, s.minimal,
                      s.maximal);
        csv += line;
    }
    return csv;
}

std::string compareCsv(const std::vector<CompareRow>& rows) {
    std::string csv = "selection,crossbreed,best,final_average,final_minimal\n";
    char numbers[96];
    for (const CompareRow& row : rows) {
        std::snprintf(numbers, sizeof numbers, ",%.6f,%.6f,%.6f\n", row.best, row.finalAverage,
                      row.finalMinimal);
        csv += selectionNames()[row.selection] + "," + crossbreedNames()[row.crossbreed] + numbers;
    }
    return csv;
}

}  // namespace evolve
