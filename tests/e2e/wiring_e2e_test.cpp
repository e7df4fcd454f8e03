// The stand-in engine's standard level, which follows the wiring guide,
// passes the library's own wiring check.
#include <string>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

TEST_F(PluginTest, TheStandardLevelPassesTheWiringCheck) {
    attach();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(call().CheckBindings(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace evoplug::e2e
