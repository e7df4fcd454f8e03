#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

TEST(PluginLoading, MissingFileOrExportIsAClearError) {
    try {
        host::Plugin::load("/nonexistent/libevoplug.so");
        FAIL() << "loading a missing file succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/libevoplug.so"), std::string::npos);
    }
    // Any library that lacks the exports: one the host itself uses.
#if defined(_WIN32)
    const char* systemRoot = std::getenv("SystemRoot");
    std::string other =
        std::string(systemRoot ? systemRoot : "C:\\Windows") + "\\System32\\kernel32.dll";
#else
    std::string other = "/lib/x86_64-linux-gnu/libm.so.6";
#endif
    if (!std::ifstream(other)) GTEST_SKIP() << "no library at " << other;
    try {
        host::Plugin::load(other);
        FAIL() << "a library without the exports was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("A5_DLLAPI"), std::string::npos);
    }
}

TEST(PluginLoading, ExportsEveryListedName) {
    host::Plugin::Options options;
    options.requireAll = false;
    auto plugin = host::Plugin::load(EVOPLUG_PLUGIN_PATH, options);
    std::string missing;
    for (const auto& name : plugin->missing()) missing += name + " ";
    EXPECT_EQ(missing, "");
    EXPECT_EQ(host::exportNames().size(), 34u);
}

TEST(PluginLoading, FreshCopiesHaveTheirOwnState) {
    auto first = loadFreshPlugin();
    auto second = loadFreshPlugin();
    EXPECT_EQ(first->exports().countup(), 1024);
    EXPECT_EQ(first->exports().countup(), 2048);
    EXPECT_EQ(second->exports().countup(), 1024);
}

TEST_F(PluginTest, EntryAnswers511AndBindsTheEngine) {
    EXPECT_EQ(call().A5_DLLAPI(engine.interfaceRecord()), 511);
    EXPECT_EQ(call().A5_DLLAPI(engine.interfaceRecord()), 511);
}

TEST_F(PluginTest, WdlBeepCallsByNameEvenWithoutAFunction) {
    ASSERT_EQ(call().A5_DLLAPI(engine.interfaceRecord()), 511);
    EXPECT_EQ(call().WDLBeep(3 * 1024), 3 * 1024);  // the level's "beeps" answers its count
    engine.remove("beeps");
    engine.defineVar("beeps");  // now a variable: the engine is still called, with handle 0
    engine.clearCalls();
    EXPECT_EQ(call().WDLBeep(1024), 0);
    ASSERT_EQ(engine.calls().size(), 1u);
    EXPECT_EQ(engine.calls()[0].handle, 0);
    EXPECT_EQ(engine.calls()[0].a, 1024);
}

}  // namespace
}  // namespace evoplug::e2e
