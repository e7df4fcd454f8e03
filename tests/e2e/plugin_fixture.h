// End-to-end tests load the built plug-in the way the engine does, each test
// from a fresh copy so that the library's globals start from their load state.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine.h"
#include "level.h"
#include "plugin.h"

namespace evoplug::e2e {

inline std::unique_ptr<host::Plugin> loadFreshPlugin() {
    host::Plugin::Options options;
    options.freshCopy = true;
    return host::Plugin::load(EVOPLUG_PLUGIN_PATH, options);
}

// An engine with the standard level defined and a fresh plug-in loaded.
class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override { plugin = loadFreshPlugin(); }
    const host::Exports& call() const { return plugin->exports(); }
    void startUp() { level.startUp(*plugin); }
    void attach() { ASSERT_EQ(call().A5_DLLAPI(engine.interfaceRecord()), 511); }
    // A5_DLLAPI, InterfaceInit and WDL_syntax: the script's objects are bound.
    void bind() {
        attach();
        call().InterfaceInit();
        call().WDL_syntax();
    }

    host::Engine engine;
    host::Level level{engine};
    std::unique_ptr<host::Plugin> plugin;
};

}  // namespace evoplug::e2e
