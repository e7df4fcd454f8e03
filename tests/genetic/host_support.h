// A stand-in engine with the standard level, attached and bound the way the
// start-up exports bind it.
#pragma once

#include <string>

#include "bridge/engine_bridge.h"
#include "engine.h"
#include "genetic/genetic_globals.h"
#include "level.h"
#include "panel/control_panel.h"
#include "panel/script_bindings.h"

namespace evoplug::genetic::testing {

class BoundLevel {
  public:
    explicit BoundLevel(const host::LevelSettings& settings = {}) : level(engine, settings) {
        bridge::attach(engine.interfaceRecord());
        bindAll();
    }
    ~BoundLevel() {
        currentPopulation.reset();
        panel::creationCount = 0;
        actionFunction = 0;
        panel::bindings = panel::ScriptBindings{};
        bridge::attach(nullptr);
    }
    BoundLevel(const BoundLevel&) = delete;
    BoundLevel& operator=(const BoundLevel&) = delete;

    // What InterfaceInit and WDL_syntax bind for the genetic algorithm.
    void bindAll() {
        panel::ScriptBindings& b = panel::bindings;
        b.numElem = number("num_elem");
        b.stringLength = number("stringlength");
        b.mutation = number("mutation");
        b.crossover = number("crossover");
        b.average = number("average");
        b.minimal = number("minimal");
        b.maximal = number("maximal");
        b.smallArray = number("smallarray");
        b.bigArray = number("bigarray");
        b.chromosom = number("chromosom");
        b.actionString = bridge::lookupVar("actionstring");
        b.modelName = bridge::lookupVar("modelname");
        b.calculateFitness = bridge::lookupScriptFunction("CalculateFitness");
        b.entRemove = bridge::engineFunction<abi::EntRemoveFn>(abi::kEntRemoveName);
        b.entCreate = bridge::engineFunction<abi::EntCreateFn>(abi::kEntCreateName);
    }

    static int32_t* number(const char* name) {
        return static_cast<int32_t*>(bridge::lookupVar(name));
    }

    host::Engine engine;
    host::Level level;
};

}  // namespace evoplug::genetic::testing
