// A stand-in engine with the standard level, attached and bound the way the
// start-up exports bind it.
#pragma once

#include <memory>
#include <string>

#include "bridge/engine_bridge.h"
#include "engine.h"
#include "genetic/genetic_globals.h"
#include "genetic/genotype.h"
#include "genetic_test_support.h"
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

    // What InterfaceInit and WDL_syntax bind.
    void bindAll() {
        panel::interfaceInit();
        panel::wdlSyntax();
    }

    static int32_t* number(const char* name) {
        return static_cast<int32_t*>(bridge::lookupVar(name));
    }

    host::Engine engine;
    host::Level level;
};

// A bound standard level with the action function resolved, as after the
// start-up exports.
class LevelTest : public GeneticTest {
  protected:
    void SetUp() override {
        GeneticTest::SetUp();
        host = std::make_unique<BoundLevel>();
        init_Ortavia();
    }
    void TearDown() override {
        host.reset();
        GeneticTest::TearDown();
    }
    std::unique_ptr<BoundLevel> host;
};

}  // namespace evoplug::genetic::testing
