#include "bridge/engine_bridge.h"

#include <gtest/gtest.h>

#include "bridge/engine_records.h"
#include "engine.h"

namespace evoplug::bridge {
namespace {

using host::Engine;

class BridgeTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(attach(engine.interfaceRecord()), 511); }
    void TearDown() override { attach(nullptr); }
    Engine engine;
};

TEST(BridgeBeforeAttach, EverythingIsUnboundAndNothingIsCalled) {
    attach(nullptr);
    EXPECT_FALSE(attached());
    EXPECT_EQ(lookupVar("num_elem"), nullptr);
    EXPECT_EQ(lookupScriptFunction("CalculateFitness"), 0);
    EXPECT_EQ(lookupEngineFunction("ent_create"), nullptr);
    EXPECT_EQ(callScriptByName("beeps", 1, 2, 3, 4), 0);
    EXPECT_EQ(surfaceRecord(), nullptr);
}

TEST_F(BridgeTest, DataWordDependsOnTheTypeCode) {
    int32_t* number = engine.defineVar("n", 5 * 1024);
    abi::Word* text = engine.defineString("s", "hello");
    int32_t* panel = engine.definePanel("p");
    int32_t* array = engine.defineArray("a", 4);
    EXPECT_EQ(lookupVar("n"), number);
    EXPECT_EQ(lookupVar("s"), text);
    EXPECT_STREQ(stringText(lookupVar("s")), "hello");
    EXPECT_EQ(lookupVar("p"), panel);
    EXPECT_EQ(lookupVar("a"), array);
    // Unknown codes use word 0, 3 and 9 use word 1, whatever the other word holds.
    engine.defineRaw("odd", 7, 0x1000, 0x2000);
    engine.defineRaw("str", abi::type::kString, 0x1000, 0x2000);
    engine.defineRaw("pan", abi::type::kPanel, 0x1000, 0x2000);
    EXPECT_EQ(reinterpret_cast<abi::Word>(lookupVar("odd")), 0x1000u);
    EXPECT_EQ(reinterpret_cast<abi::Word>(lookupVar("str")), 0x2000u);
    EXPECT_EQ(reinterpret_cast<abi::Word>(lookupVar("pan")), 0x2000u);
    EXPECT_EQ(lookupVar("nothing"), nullptr);
    EXPECT_EQ(lookupVar(nullptr), nullptr);
}

TEST_F(BridgeTest, ScriptFunctionsAreFoundOnlyByTheirType) {
    int32_t handle =
        engine.defineFunction("twice", [](int32_t a, int32_t, int32_t, int32_t) { return 2 * a; });
    engine.defineVar("notAFunction");
    EXPECT_NE(handle, 0);
    EXPECT_EQ(lookupScriptFunction("twice"), handle);
    EXPECT_EQ(lookupScriptFunction("notAFunction"), 0);
    EXPECT_EQ(lookupScriptFunction("missing"), 0);
    EXPECT_EQ(callScriptFunction(handle, 21, 0, 0, 0), 42);
}

TEST_F(BridgeTest, CallByNamePassesTheHandleOnEvenWhenItIsZero) {
    engine.defineFunction("f",
                          [](int32_t a, int32_t b, int32_t c, int32_t d) { return a + b + c + d; });
    engine.defineVar("v");
    EXPECT_EQ(callScriptByName("f", 1, 2, 3, 4), 10);
    EXPECT_EQ(callScriptByName("v", 5, 6, 7, 8), 0);
    ASSERT_EQ(engine.calls().size(), 2u);
    EXPECT_EQ(engine.calls()[1].handle, 0);
    EXPECT_EQ(engine.calls()[1].a, 5);
    EXPECT_EQ(engine.calls()[1].d, 8);
}

TEST_F(BridgeTest, EngineFunctionsAndSurface) {
    EXPECT_NE(lookupEngineFunction("ent_create"), nullptr);
    EXPECT_NE(lookupEngineFunction("trace"), nullptr);
    EXPECT_EQ(lookupEngineFunction("no_such_function"), nullptr);
    engine.disableEngineFunction("trace");
    EXPECT_EQ(lookupEngineFunction("trace"), nullptr);
    EXPECT_EQ(surfaceRecord(), engine.surfaceRecord());
}

TEST_F(BridgeTest, AttachOverwritesAnEarlierRecord) {
    engine.defineVar("x");
    abi::Word other[abi::host::kWords] = {};
    EXPECT_EQ(attach(other), 511);  // a record without a function table
    EXPECT_FALSE(attached());
    EXPECT_EQ(lookupVar("x"), nullptr);
    EXPECT_EQ(attach(engine.interfaceRecord()), 511);
    EXPECT_NE(lookupVar("x"), nullptr);
}

}  // namespace
}  // namespace evoplug::bridge
