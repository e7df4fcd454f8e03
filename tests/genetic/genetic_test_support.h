// Shared scaffolding of the genetic algorithm's unit tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "genetic/population.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "support/cout_capture.h"

namespace evoplug::genetic::testing {

using evoplug::testing::CoutCapture;

// Counts the flushes of std::cout while alive.
class FlushCounter : public std::stringbuf {
  public:
    FlushCounter() : previous_(std::cout.rdbuf(this)) {}
    ~FlushCounter() override { std::cout.rdbuf(previous_); }
    int flushes = 0;

  protected:
    int sync() override {
        ++flushes;
        return 0;
    }

  private:
    std::streambuf* previous_;
};

inline size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The runtime's recurrence, written out independently of the library, to
// derive what a seed makes an operator do.
class Draws {
  public:
    explicit Draws(uint32_t seed) : state_(seed) {}
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }
    uint32_t state() const { return state_; }

  private:
    uint32_t state_;
};

// A clock standing still at kClockSeconds; its low 32 bits seed the generator.
constexpr int64_t kClockSeconds = 0x500000000LL + 4242;
constexpr uint32_t kClockSeed = 4242;
inline int64_t fixedClock() { return kClockSeconds; }

inline const int32_t kTarget[3] = {255, 255, 177};
inline const int32_t kLower[3] = {0, 0, 0};
inline const int32_t kUpper[3] = {255, 255, 255};

struct PopulationOptions {
    int32_t popSize = 6;
    int32_t fitnessKind = kGeneClosenessFitness;
    int32_t mutationRate = 0;
    int32_t crossoverCount = 0;
    int32_t selectionKind = 0;
    int32_t crossbreedKind = 0;
    int32_t maxGene = 255;
};

// A population rated without a script, its creation report swallowed.
inline std::unique_ptr<Population> makePopulation(const PopulationOptions& o = {}) {
    CoutCapture quiet;
    return std::make_unique<Population>(o.popSize, 3, 0, o.maxGene, kTarget, o.mutationRate,
                                        o.crossoverCount, o.fitnessKind, nullptr, kLower, kUpper,
                                        o.selectionKind, o.crossbreedKind);
}

// Gives individual i these genes (with their distances) and rates it.
inline void setGenes(Population& pop, int32_t i, std::initializer_list<int32_t> genes) {
    Individual& ind = pop.individuals[static_cast<size_t>(i)];
    size_t g = 0;
    for (int32_t v : genes) {
        ind.genes[g] = v;
        ind.distance[g] = std::abs(pop.target[g] - v);
        ++g;
    }
    pop.reevaluate(i);
}

// A statistics pass without its report.
inline void refresh(Population& pop) {
    CoutCapture quiet;
    pop.updateStatistics();
}

inline std::vector<int32_t> genesOf(const Population& pop, int32_t i) {
    const Individual& ind = pop.individuals[static_cast<size_t>(i)];
    return {ind.genes.begin(), ind.genes.begin() + ind.geneCount};
}

// Fixes the clock for the test's lifetime.
class GeneticTest : public ::testing::Test {
  protected:
    void SetUp() override { runtime::setClock(&fixedClock); }
    void TearDown() override { runtime::setClock(nullptr); }
};

}  // namespace evoplug::genetic::testing
