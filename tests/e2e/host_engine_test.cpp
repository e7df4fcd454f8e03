// The stand-in engine's own promises that the robustness tests rely on.
#include <gtest/gtest.h>

#include "bridge/engine_bridge.h"
#include "engine.h"

namespace evoplug::e2e {
namespace {

TEST(HostEngine, RemovedOrRedefinedObjectsKeepTheirStorageUntilRestored) {
    host::Engine engine;
    bridge::attach(engine.interfaceRecord());
    int32_t* bound = engine.defineVar("num_elem", 7);
    ASSERT_EQ(bridge::lookupVar("num_elem"), bound);

    engine.remove("num_elem");
    EXPECT_EQ(bridge::lookupVar("num_elem"), nullptr);
    *bound = 9;  // a pointer bound before the removal stays writable (ASan build)
    ASSERT_TRUE(engine.restore("num_elem"));
    EXPECT_EQ(bridge::lookupVar("num_elem"), bound);
    EXPECT_EQ(*bound, 9);
    EXPECT_FALSE(engine.restore("num_elem"));  // nothing left to bring back

    int32_t* redefined = engine.defineVar("num_elem", 3);
    EXPECT_NE(redefined, bound);
    *bound = 1;  // the old storage is still the engine's
    EXPECT_EQ(*redefined, 3);
    EXPECT_FALSE(engine.restore("num_elem"));  // the name is defined again
    bridge::attach(nullptr);
}

}  // namespace
}  // namespace evoplug::e2e
