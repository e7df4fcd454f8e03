// Runs a number of generations through the host, for instruction counts
// (bench/count-instructions runs it under callgrind for N and 2N generations)
// and for comparing the report of two builds byte for byte.
//
//   generation_count INDIVIDUALS SELECTION CROSSBREED GENERATIONS [CROSSOVER]
//
// The plug-in's report goes to standard output.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "bench_level.h"

int main(int argc, char** argv) {
    if (argc < 5 || argc > 6) {
        std::fprintf(stderr, "usage: %s INDIVIDUALS SELECTION CROSSBREED GENERATIONS [CROSSOVER]\n",
                     argv[0]);
        return 2;
    }
    evoplug::bench::BenchSettings s;
    s.individuals = std::atoi(argv[1]);
    s.selection = std::atoi(argv[2]);
    s.crossbreed = std::atoi(argv[3]);
    const int generations = std::atoi(argv[4]);
    if (argc == 6) s.crossover = std::atoi(argv[5]);
    evoplug::bench::BenchLevel level(s);
    level.exports().CreateGenotype();
    for (int n = 0; n < generations; ++n) level.exports().evolution(0, 0);
    std::cout.flush();
    return 0;
}
