// Shared scaffolding of the genetic algorithm's unit tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "bridge/engine_bridge.h"
#include "engine.h"
#include "genetic/genetic_globals.h"
#include "genetic/genotype.h"
#include "level.h"
#include "panel/control_panel.h"
#include "panel/script_bindings.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "support/cout_capture.h"

namespace evoplug::genetic::testing {

using evoplug::testing::CoutCapture;
using Genes = std::vector<int32_t>;

// Takes std::cout while alive: keeps the text and counts flushes, or drops it.
class CoutSink : public std::stringbuf {
  public:
    explicit CoutSink(bool keep = true) : keep_(keep), previous_(std::cout.rdbuf(this)) {}
    ~CoutSink() override { std::cout.rdbuf(previous_); }
    int flushes = 0;

  protected:
    int sync() override { return ++flushes, 0; }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        return keep_ ? std::stringbuf::xsputn(s, n) : n;
    }
    int overflow(int c) override { return keep_ ? std::stringbuf::overflow(c) : c; }

  private:
    bool keep_;
    std::streambuf* previous_;
};

// The runtime's recurrence, written out independently of the library.
struct Draws {
    uint32_t state;
    int next() { return static_cast<int>(((state = state * 214013u + 2531011u) >> 16) & 0x7fff); }
    static uint32_t after(uint32_t seed, int n) {
        Draws d{seed};
        while (n-- > 0) d.next();
        return d.state;
    }
};

// A clock standing still; its low 32 bits seed the generator.
constexpr uint32_t kClockSeed = 4242;
inline int64_t fixedClock() { return 0x500000000LL + kClockSeed; }

inline const int32_t kTarget[3] = {255, 255, 177}, kLower[3] = {0, 0, 0},
                     kUpper[3] = {255, 255, 255};

struct PopulationOptions {
    int32_t popSize = 6, fitnessKind = kGeneClosenessFitness, mutationRate = 0, crossoverCount = 0,
            selectionKind = 0, crossbreedKind = 0, maxGene = 255;
};

// A population rated without a script, its creation report swallowed.
inline std::unique_ptr<Population> makePopulation(const PopulationOptions& o = {}) {
    CoutCapture quiet;
    return std::make_unique<Population>(o.popSize, 3, 0, o.maxGene, kTarget, o.mutationRate,
                                        o.crossoverCount, o.fitnessKind, nullptr, kLower, kUpper,
                                        o.selectionKind, o.crossbreedKind);
}

// Gives individual i these genes (with their distances) and rates it.
inline void setGenes(Population& pop, int32_t i, const Genes& genes) {
    Individual& ind = pop.individuals[static_cast<size_t>(i)];
    for (size_t g = 0; g < genes.size(); ++g) {
        ind.genes[g] = genes[g];
        ind.distance[g] = std::abs(pop.target[g] - genes[g]);
    }
    pop.reevaluate(i);
}

// Sets the genes of individuals 0, 1, .. three at a time, then runs a
// statistics pass without its report.
inline void setAll(Population& pop, const Genes& genes) {
    for (size_t i = 0; 3 * i < genes.size(); ++i)
        setGenes(pop, static_cast<int32_t>(i), {genes[3 * i], genes[3 * i + 1], genes[3 * i + 2]});
    CoutCapture quiet;
    pop.updateStatistics();
}

inline Genes genesOf(const Population& pop, int32_t i) {
    const Individual& ind = pop.individuals[static_cast<size_t>(i)];
    return {ind.genes.begin(), ind.genes.begin() + ind.geneCount};
}

// Every individual's genes, one after the other.
inline Genes allGenes(const Population& pop) {
    Genes all;
    for (const Individual& ind : pop.individuals)
        all.insert(all.end(), ind.genes.begin(), ind.genes.end());
    return all;
}

// Fixes the clock for the test's lifetime.
class GeneticTest : public ::testing::Test {
  protected:
    void SetUp() override { runtime::setClock(&fixedClock); }
    void TearDown() override { runtime::setClock(nullptr); }
};

// A stand-in engine with the standard level, bound as the start-up exports
// bind it, and the action function resolved.
class LevelTest : public GeneticTest {
  protected:
    void SetUp() override {
        GeneticTest::SetUp();
        bridge::attach(engine.interfaceRecord());
        panel::interfaceInit();
        panel::wdlSyntax();
        init_Ortavia();
    }
    void TearDown() override {
        currentPopulation.reset();
        panel::creationCount = 0;
        panel::settingsGroup = nullptr;
        actionFunction = 0;
        panel::bindings = panel::ScriptBindings{};
        bridge::attach(nullptr);
        GeneticTest::TearDown();
    }
    void setSetting(const char* name, int32_t value) { *engine.var(name) = abi::fromInt(value); }
    std::string create() {
        CoutCapture out;
        CreateGenotype();
        return out.text();
    }
    host::Engine engine;
    host::Level level{engine, host::LevelSettings{}};
};

}  // namespace evoplug::genetic::testing
