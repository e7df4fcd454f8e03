// The stand-in engine's own promises that the robustness tests rely on.
#include <gtest/gtest.h>

#include <climits>
#include <string>

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

TEST(HostEngine, ScriptCallsReachTheFunctionOfTheirHandleOnly) {
    host::Engine engine;
    bridge::attach(engine.interfaceRecord());
    int32_t first = engine.defineFunction("f", [](int32_t a, int32_t, int32_t, int32_t) {
        return a + 1;
    });
    int32_t second = engine.defineFunction("g", [&engine](int32_t, int32_t b, int32_t, int32_t) {
        // A function that defines another while it runs must not lose itself.
        for (int i = 0; i < 64; ++i) engine.defineFunction("h" + std::to_string(i), nullptr);
        return b * 2;
    });
    EXPECT_EQ(bridge::callScriptFunction(first, 4, 0, 0, 0), 5);
    EXPECT_EQ(bridge::callScriptFunction(second, 0, 21, 0, 0), 42);
    EXPECT_EQ(bridge::lookupScriptFunction("f"), first);

    int32_t redefined = engine.defineFunction("f", [](int32_t, int32_t, int32_t, int32_t) {
        return -1;
    });
    EXPECT_NE(redefined, first);
    EXPECT_EQ(bridge::callScriptFunction(redefined, 4, 0, 0, 0), -1);
    for (int32_t unknown : {0, -1, 1000, INT32_MIN, INT32_MAX})
        EXPECT_EQ(bridge::callScriptFunction(unknown, 1, 1, 1, 1), 0) << unknown;
    // A function without a body answers 0 instead of throwing into the plug-in.
    EXPECT_EQ(bridge::callScriptByName("h0", 1, 1, 1, 1), 0);

    ASSERT_EQ(engine.calls().size(), 9u);
    EXPECT_EQ(engine.calls()[1].name, "g");
    EXPECT_EQ(engine.calls()[2].name, "f");
    EXPECT_EQ(engine.calls()[3].name, "");
    bridge::attach(nullptr);
}

TEST(HostEngine, TraceMeasuresWhateverTheLevelMadeOfTraceMode) {
    host::Engine engine;
    bridge::attach(engine.interfaceRecord());
    auto trace = reinterpret_cast<abi::TraceFn>(bridge::lookupEngineFunction("trace"));
    ASSERT_NE(trace, nullptr);
    const int32_t from[3] = {0, 0, 0}, to[3] = {3 * 1024, 4 * 1024, 0};
    engine.defineString("trace_mode", "not a number");
    EXPECT_EQ(trace(from, to), 5 * 1024);
    engine.defineVar("trace_mode", 7);
    EXPECT_EQ(trace(from, to), 5 * 1024);
    ASSERT_EQ(engine.traces().size(), 2u);
    EXPECT_EQ(engine.traces()[0].traceMode, 0);
    EXPECT_EQ(engine.traces()[1].traceMode, 7);
    bridge::attach(nullptr);
}

}  // namespace
}  // namespace evoplug::e2e
