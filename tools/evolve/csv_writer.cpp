#include "csv_writer.h"

#include "options.h"

namespace evolve {

std::string fitnessCsvHeader() {
    return "generation,average,minimal,maximal,stddev,best_r,best_g,best_b,mutated\n";
}

std::string fitnessCsvRow(int generation, const Stats& s, bool mutated) {
    return std::to_string(generation) + "," + figure(s.average) + "," + figure(s.minimal) + "," +
           figure(s.maximal) + "," + figure(s.stddev) + "," + std::to_string(s.best.r) + "," +
           std::to_string(s.best.g) + "," + std::to_string(s.best.b) + "," + (mutated ? "1" : "0") +
           "\n";
}

std::string compareCsvHeader(int generations) {
    const std::string last = std::to_string(generations);
    return "selection,crossbreed,runs,average_after_generation_" + last +
           ",spread,best_through_generation_" + last + "\n";
}

std::string compareCsvRow(const CompareRow& row) {
    std::string crossbreeds;
    for (int c : row.crossbreeds)
        crossbreeds += (crossbreeds.empty() ? "" : "|") + crossbreedNames()[c];
    return selectionNames()[row.selection] + "," + crossbreeds + "," +
           std::to_string(row.finalAverage.size()) + "," + figure(mean(row.finalAverage)) + "," +
           figure(spread(row.finalAverage)) + "," + figure(mean(row.best)) + "\n";
}

}  // namespace evolve
