// The level's script side: every object the plug-in's exports look up.
//
// A `Level` defines, on an engine, the variables, arrays, strings, panels and
// script functions that a game using the library declares, with working
// script functions: "CalculateFitness" rates closeness of the three genes in
// "smallarray" to a target colour (1.0 when equal) and answers in
// "chromosom".
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine.h"
#include "plugin.h"

namespace evoplug::host {

struct LevelSettings {
    int individuals = 20;       // "num_elem"
    int genes = EVOPLUG_GENES;  // "stringlength"
    int mutation = 100;         // "mutation", per mille
    int crossover = 2;          // "crossover", pairs
    // This level's own choice; a component of 255 can be approached, never met.
    std::array<int, 3> target = {255, 255, 177};
    std::string model = "ball.mdl";
    std::string action = "ent_wander";
};

class Level {
  public:
    static constexpr int kBigArraySize = EVOPLUG_GENES * EVOPLUG_MAX_INDIVIDUALS;

    Level(Engine& engine, const LevelSettings& settings = {});

    // The start-up sequence a level runs: A5_DLLAPI, InterfaceInit,
    // WDL_syntax, init_population, init_Ortavia.
    void startUp(const Plugin& plugin);
    // How a run of the level begins: the start-up, the settings panel's
    // forward presses that reach the chosen strategies (each row starts at
    // its first) and a new population.
    void begin(const Plugin& plugin, int selection, int crossbreed);

    // Writes the settings into the script's variables and strings (in place:
    // pointers the plug-in has bound stay valid).
    void apply(const LevelSettings& settings);
    const LevelSettings& settings() const { return settings_; }

    // The fitness the level's script gives three genes (0.0 .. 1.0).
    double fitnessOf(int g0, int g1, int g2) const;
    // The same as the script answers it in "chromosom", in the engine's steps.
    int32_t verdictOf(int g0, int g1, int g2) const;

    Engine& engine() { return engine_; }

  private:
    Engine& engine_;
    LevelSettings settings_;
};

}  // namespace evoplug::host
