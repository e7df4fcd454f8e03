// Drives the plug-in through one evolution as a level script would.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "options.h"

namespace evoplug::host {
class Engine;
class Level;
class Plugin;
}  // namespace evoplug::host

namespace evolve {

// What the script's "average", "minimal" and "maximal" hold, as fitness 0..1.
struct Stats {
    double average = 0, minimal = 0, maximal = 0;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Level coordinates of an entity (top view).
struct Point {
    double x = 0, y = 0;
};

class Simulation {
  public:
    // Loads the plug-in, defines the level, runs the start-up sequence,
    // presses the panel buttons for the chosen strategies and creates the
    // population. Throws std::runtime_error naming the plug-in or the
    // exports it lacks.
    Simulation(const Options& options, bool freshCopy);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // One generation: the clock moves on a second, then `evolution`.
    void step();
    int generation() const { return generation_; }

    Stats stats() const;
    // Gene colours: from the entities before the first generation, from
    // "bigarray" after it.
    std::vector<Rgb> colours() const;
    std::vector<Point> positions() const;

  private:
    std::unique_ptr<evoplug::host::Engine> engine_;
    std::unique_ptr<evoplug::host::Level> level_;
    std::unique_ptr<evoplug::host::Plugin> plugin_;
    int individuals_;
    int generation_ = 0;
};

}  // namespace evolve

namespace evolve {

// Everything a finished run leaves for the writers.
struct RunResult {
    std::vector<Stats> history;  // entry g - 1: what generation g published
    std::vector<Rgb> firstColours, lastColours;
    std::vector<Point> positions;
};

// The whole run; `onGeneration` sees the simulation after every generation.
template <typename OnGeneration>
RunResult runEvolution(const Options& options, bool freshCopy, OnGeneration onGeneration) {
    Simulation simulation(options, freshCopy);
    RunResult result;
    result.firstColours = simulation.colours();
    result.positions = simulation.positions();
    for (int g = 1; g <= options.generations; ++g) {
        simulation.step();
        result.history.push_back(simulation.stats());
        onGeneration(simulation);
    }
    result.lastColours = simulation.colours();
    return result;
}

}  // namespace evolve
