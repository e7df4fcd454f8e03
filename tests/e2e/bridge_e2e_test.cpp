// Loading the plug-in and calling the script through it.
#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

TEST(PluginLoading, FreshCopiesHaveTheirOwnState) {
    auto first = loadFreshPlugin(), second = loadFreshPlugin();
    EXPECT_EQ(first->exports().countup(), 1024);
    EXPECT_EQ(first->exports().countup(), 2048);
    EXPECT_EQ(second->exports().countup(), 1024);
}

TEST_F(PluginTest, WdlBeepCallsByNameEvenWithoutAFunction) {
    attach();
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
