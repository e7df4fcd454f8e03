// A fresh plug-in state attached to a stand-in engine that holds the
// standard level; the report is kept, the clock stands still.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "engine.h"
#include "level.h"
#include "plugin/plugin_state.h"

namespace evoplug::testing {

// The clock's low 32 bits seed the generator.
constexpr uint32_t kClockSeed = 4242;
inline int64_t fixedClock() { return 0x500000000LL + kClockSeed; }

// The runtime's recurrence, written out independently of the library.
inline int draw(uint32_t& state) { return ((state = state * 214013u + 2531011u) >> 16) & 0x7fff; }
inline uint32_t after(uint32_t seed, int n) {
    while (n-- > 0) draw(seed);
    return seed;
}

class StateTest : public ::testing::Test {
  protected:
    StateTest() {
        resetState();
        s().report.redirect(&report);
        s().clock.setSource(&fixedClock);
    }
    ~StateTest() override { resetState(); }

    static PluginState& s() { return state(); }
    void attach() { s().engine.attach(engine.interfaceRecord()); }
    // What InterfaceInit and WDL_syntax do.
    void bind() {
        attach();
        s().script.bind(script::Stage::AtInterfaceInit, s().engine);
        s().script.bind(script::Stage::AtWdlSyntax, s().engine);
    }
    // The whole start-up: bound, the panel built, the action function bound.
    void startUp() {
        bind();
        s().buildPanel();
        s().evolution.bindAction(s().geneticContext());
    }
    std::string takeReport() {
        std::string text = report.str();
        report.str("");
        return text;
    }

    host::Engine engine;
    host::Level level{engine};
    std::ostringstream report;
};

}  // namespace evoplug::testing
