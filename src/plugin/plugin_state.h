// Everything the plug-in keeps, in one object.
//
// The engine calls the exports without a context, so the current state, built
// on first use, is a global. One other remains: the pool of texts handed to
// the engine's strings (panel/shown_texts), which must outlive every state.
// Each subsystem owns its part; the operations here are those that join two
// parts.
//
// A script or engine function that the library is calling may call any
// export back. Such a nested export must not free or replace what the exports
// under way are using; the state decides, here alone, which are refused:
//   - a reset frees the state every export under way holds;
//   - another engine's record drops what they found under the engine whose
//     call they are inside;
//   - a new population replaces the one `evolution` and `CreateGenotype` use
//     for their whole run, and removes entities, such as the one `DistAhead`
//     traces from.
// A refused export changes nothing and says so in one line on standard error.
#pragma once

#include <cstdint>

#include "breeder/evolution.h"
#include "bridge/engine_bridge.h"
#include "corpus/corpus.h"
#include "demo/demonstrations.h"
#include "genetic/ranking_listing.h"
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
    genetic::RankingListing rankingListing;
    breeder::Evolution evolution{script, engine};
    panel::ControlPanel panel;
    panel::Dialog dialog;
    demo::Explosions explosions;
    corpus::Registry corpus;

    genetic::Context geneticContext() { return {random, clock, report, rankingListing}; }

    // Marks an export as under way for as long as it runs.
    class Running {
      public:
        Running(PluginState& state, const char* name);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

      private:
        friend struct PluginState;
        PluginState& state_;
        const char* name_;
        const Running* outer_;
    };
    // The innermost export under way; null when none is.
    const char* runningExport() const { return running_ != nullptr ? running_->name_ : nullptr; }

    // Takes the engine's interface record; answers 511. Another engine's
    // record makes the plug-in forget everything found under the former one,
    // its entities included, without removing them through the new engine.
    int32_t attach(void* hostInterface);
    // The panel, offering the strategies in the order of their tables.
    void buildPanel();
    // A population with the strategies the panel shows now.
    void createPopulation();
    void runGeneration();
    int32_t distAhead(bridge::EntityRecord entity);
    // Slides the controller group, only while a population exists.
    void toggleController();

  private:
    void forgetEngine();

    const Running* running_ = nullptr;
    // The innermost export using the population or one of its entities.
    const char* populationUser_ = nullptr;
    // The last record handed over. The plug-in can tell engines apart only by
    // where their record lies: a new engine whose record takes the former
    // one's place looks like the former one starting again.
    const void* engineRecord_ = nullptr;
};

// The plug-in's one state.
PluginState& state();
// Drops the state; the next call of `state` starts from load state. Refused
// while an export is under way.
void resetState();

}  // namespace evoplug
