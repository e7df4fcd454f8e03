// The stand-in engine's standard level, which follows the wiring guide,
// passes the library's own wiring check.
#include <string>

#include "plugin_fixture.h"
#include "support/output_capture.h"

namespace evoplug::e2e {
namespace {

TEST_F(PluginTest, TheStandardLevelPassesTheWiringCheck) {
    attach();
    testing::OutputCapture errors(2);
    EXPECT_EQ(call().CheckBindings(), 0);
    EXPECT_EQ(errors.stop(), "");
}

}  // namespace
}  // namespace evoplug::e2e
