// Drives the plug-in through one evolution as a level script would.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "options.h"
#include "stop_signal.h"

namespace evoplug::host {
class Engine;
class Level;
class Plugin;
}  // namespace evoplug::host

namespace evolve {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Fitness 0..1 of one population: "average", "minimal" and "maximal" as the
// script receives them; the standard deviation and the best genome by the
// fitness the level's script gives the plug-in.
struct Stats {
    double average = 0, minimal = 0, maximal = 0, stddev = 0;
    Rgb best;
};

// Every fitness figure shown or written, in one rounding.
std::string figure(double fitness);

// Level coordinates of an entity (top view).
struct Point {
    double x = 0, y = 0;
};

// Asks the plug-in to check the standard level's wiring; it writes one line
// per problem to standard error. Returns the number of problems.
int wiringProblems(const evoplug::host::Plugin& plugin);

class Simulation {
  public:
    // Starts the plug-in afresh, defines the level, runs the start-up
    // sequence, presses the panel buttons for the chosen strategies and
    // creates the population. `plugin` must outlive the simulation.
    Simulation(const evoplug::host::Plugin& plugin, const Options& options);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // One generation: the clock moves on a second, then `evolution`. The call
    // publishes the figures of the population it started from, so the
    // result describes that population, before this generation.
    Stats step();
    int generation() const { return generation_; }

    // The entities' gene colours as a level shows them that calls
    // UpdateEntities after every `evolution`.
    std::vector<Rgb> colours() const;
    std::vector<Point> positions() const;
    // The current population, every figure by what the level's script answers.
    Stats judge() const;

  private:
    std::unique_ptr<evoplug::host::Engine> engine_;
    std::unique_ptr<evoplug::host::Level> level_;
    const evoplug::host::Plugin& plugin_;
    int individuals_;
    int generation_ = 0;
};

// Everything a finished or stopped run leaves for the writers.
struct RunResult {
    std::vector<Stats> history;  // entry g - 1: what the g-th call published
    std::vector<Rgb> firstColours, lastColours;
    std::vector<Point> positions;
    Stats last;         // the population after the last generation run
    int mutations = 0;  // generations that mutated
};

// The whole run, cut short by a stop signal. `onGeneration` sees the
// simulation and the figures after every generation and tells whether the
// generation mutated.
template <typename OnGeneration>
RunResult runEvolution(const evoplug::host::Plugin& plugin, const Options& options,
                       OnGeneration onGeneration) {
    Simulation simulation(plugin, options);
    RunResult result;
    result.firstColours = simulation.colours();
    result.positions = simulation.positions();
    while (simulation.generation() < options.generations && stopSignal() == 0) {
        result.history.push_back(simulation.step());
        if (onGeneration(simulation, result.history.back())) ++result.mutations;
    }
    result.lastColours = simulation.colours();
    result.last = simulation.judge();
    return result;
}

}  // namespace evolve
