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

// An engine with the standard level defined and a fresh plug-in loaded, not
// yet started.
class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override { plugin = loadFreshPlugin(); }
    void startUp() { level.startUp(*plugin); }
    const host::Exports& call() const { return plugin->exports(); }

    host::Engine engine;
    host::Level level{engine};
    std::unique_ptr<host::Plugin> plugin;
};

}  // namespace evoplug::e2e
