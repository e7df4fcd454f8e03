// Runs a number of generations through the host, for instruction counts
// (bench/count-instructions runs it under callgrind for N and 2N generations)
// and for comparing the report of two builds byte for byte.
//
//   generation_count [--floor] INDIVIDUALS SELECTION CROSSBREED GENERATIONS [CROSSOVER]
//
// The plug-in's report goes to standard output. With --floor, the second
// generation's report is recorded (its bytes and flush points) and written
// GENERATIONS times by replayFloor without the algorithm: the output floor.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "bench_level.h"

namespace {

using evoplug::bench::Recorder;

// Named for callgrind's --toggle-collect.
__attribute__((noinline)) void replayFloor(const Recorder& recorder) {
    for (const auto& [text, flush] : recorder.pieces) {
        std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (flush) std::cout.flush();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool floor = argc > 1 && std::strcmp(argv[1], "--floor") == 0;
    if (floor) {
        --argc;
        ++argv;
    }
    if (argc < 5 || argc > 6) {
        std::fprintf(stderr,
                     "usage: generation_count [--floor] INDIVIDUALS SELECTION CROSSBREED "
                     "GENERATIONS [CROSSOVER]\n");
        return 2;
    }
    evoplug::bench::BenchSettings s;
    s.individuals = std::atoi(argv[1]);
    s.selection = std::atoi(argv[2]);
    s.crossbreed = std::atoi(argv[3]);
    const int generations = std::atoi(argv[4]);
    if (argc == 6) s.crossover = std::atoi(argv[5]);
    evoplug::bench::BenchLevel level(s);
    if (floor) {
        Recorder recorder;
        level.exports().evolution(0, 0);  // past the first generation
        std::streambuf* previous = std::cout.rdbuf(&recorder);
        level.exports().evolution(0, 0);
        std::cout.rdbuf(previous);
        for (int n = 0; n < generations; ++n) replayFloor(recorder);
    } else {
        for (int n = 0; n < generations; ++n) level.exports().evolution(0, 0);
    }
    std::cout.flush();
    return 0;
}
