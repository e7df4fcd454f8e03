// End-to-end tests load the built plug-in the way the engine does and start
// each test from its load state.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine.h"
#include "level.h"
#include "plugin.h"

namespace evoplug::e2e {

class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plugin = host::Plugin::load(EVOPLUG_PLUGIN_PATH);
        call().ResetPluginState();
    }
    void TearDown() override { call().ResetPluginState(); }
    const host::Exports& call() const { return plugin->exports(); }
    void startUp() { level.startUp(*plugin); }
    void attach() { ASSERT_EQ(call().A5_DLLAPI(engine.interfaceRecord()), 511); }

    host::Engine engine;
    host::Level level{engine};
    std::unique_ptr<host::Plugin> plugin;
};

template <typename Param>
class PluginTestWith : public PluginTest, public ::testing::WithParamInterface<Param> {};

}  // namespace evoplug::e2e
