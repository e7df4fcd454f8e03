// Everything the plug-in keeps, in one object.
//
// The engine calls the exports without a context, so exactly one global
// remains: the current state, built on first use. Each subsystem owns its
// part; the operations here are those that join two parts.
#pragma once

#include <cstdint>

#include "bridge/engine_bridge.h"
#include "corpus/corpus.h"
#include "demo/demonstrations.h"
#include "genetic/evolution.h"
#include "panel/control_panel.h"
#include "panel/dialog.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "runtime/report.h"
#include "script/script_bindings.h"

namespace evoplug {

struct PluginState {
    bridge::EngineLink engine;
    script::Bindings script;
    runtime::Clock clock;
    runtime::Random random;
    runtime::Report report;
    genetic::Evolution evolution;
    panel::ControlPanel panel;
    panel::Dialog dialog;
    demo::Explosions explosions;
    corpus::Registry corpus;

    genetic::Context geneticContext() { return {random, clock, report, script, engine}; }

    // The panel, offering the strategies in the order of their tables.
    void buildPanel();
    // A population with the strategies the panel shows now.
    void createPopulation();
    // Slides the controller group, only while a population exists.
    void toggleController();
};

// The plug-in's one state.
PluginState& state();
// Drops the state; the next call of `state` starts from load state.
void resetState();

}  // namespace evoplug
