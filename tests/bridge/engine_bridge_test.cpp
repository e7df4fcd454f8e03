// The bridge's lookups on a stand-in engine: by type code, before and after
// attaching.
#include "bridge/engine_bridge.h"

#include <gtest/gtest.h>

#include "bridge/engine_records.h"
#include "engine.h"

namespace evoplug::bridge {
namespace {

TEST(Bridge, UnattachedEverythingIsUnboundAndNothingIsCalled) {
    host::Engine engine;
    engine.defineVar("x");
    engine.defineFunction("beeps", [](int32_t, int32_t, int32_t, int32_t) { return 1; });
    abi::Word noTable[abi::host::kWords] = {};
    for (void* record : {static_cast<void*>(nullptr), static_cast<void*>(noTable)}) {
        EXPECT_EQ(attach(record), 511);  // overwrites an earlier record
        EXPECT_FALSE(attached());
        EXPECT_EQ(lookupVar("x"), nullptr);
        EXPECT_EQ(lookupScriptFunction("beeps"), 0);
        EXPECT_EQ(lookupEngineFunction("ent_create"), nullptr);
        EXPECT_EQ(callScriptByName("beeps", 1, 2, 3, 4), 0);
        EXPECT_EQ(engine.calls().size(), 0u);
        attach(engine.interfaceRecord());
        EXPECT_NE(lookupVar("x"), nullptr);
    }
    EXPECT_EQ(surfaceRecord(), engine.surfaceRecord());
    attach(nullptr);
    EXPECT_EQ(surfaceRecord(), nullptr);
}

TEST(Bridge, LookupsGoByTypeCode) {
    host::Engine engine;
    attach(engine.interfaceRecord());
    int32_t* number = engine.defineVar("n", 5 * 1024);
    int32_t* panel = engine.definePanel("p");
    int32_t* array = engine.defineArray("a", 4);
    engine.defineString("s", "hello");
    EXPECT_EQ(lookupVar("n"), number);
    EXPECT_EQ(lookupVar("p"), panel);
    EXPECT_EQ(lookupVar("a"), array);
    EXPECT_STREQ(stringText(lookupVar("s")), "hello");
    // Unknown codes use word 0, strings and panels word 1, whatever the other holds.
    engine.defineRaw("odd", 7, 0x1000, 0x2000);
    engine.defineRaw("str", abi::type::kString, 0x1000, 0x2000);
    engine.defineRaw("pan", abi::type::kPanel, 0x1000, 0x2000);
    EXPECT_EQ(reinterpret_cast<abi::Word>(lookupVar("odd")), 0x1000u);
    EXPECT_EQ(reinterpret_cast<abi::Word>(lookupVar("str")), 0x2000u);
    EXPECT_EQ(reinterpret_cast<abi::Word>(lookupVar("pan")), 0x2000u);
    EXPECT_EQ(lookupVar("nothing"), nullptr);
    EXPECT_EQ(lookupVar(nullptr), nullptr);

    // Script functions are found only by their type.
    const int32_t twice = engine.defineFunction("twice", [](int32_t a, auto...) { return 2 * a; });
    EXPECT_EQ(lookupScriptFunction("twice"), twice);
    EXPECT_EQ(lookupScriptFunction("n"), 0);
    EXPECT_EQ(lookupScriptFunction("missing"), 0);
    EXPECT_EQ(callScriptFunction(twice, 21, 0, 0, 0), 42);
    EXPECT_NE(lookupEngineFunction("trace"), nullptr);
    engine.disableEngineFunction("trace");
    EXPECT_EQ(lookupEngineFunction("trace"), nullptr);
    EXPECT_EQ(lookupEngineFunction("no_such_function"), nullptr);
    attach(nullptr);
}

TEST(Bridge, TheTableSlotsAreCopiedWhenTheRecordArrives) {
    host::Engine engine;
    engine.defineVar("n");
    const int32_t beeps =
        engine.defineFunction("beeps", [](int32_t a, int32_t, int32_t, int32_t) { return a; });
    attach(engine.interfaceRecord());
    auto* record = static_cast<abi::Word*>(engine.interfaceRecord());
    auto* table = reinterpret_cast<abi::Word*>(record[abi::host::kFunctionTable]);
    const abi::Word saved[] = {table[abi::table::kLookup], table[abi::table::kLookupFunction],
                               table[abi::table::kCall]};
    // The engine may reuse its table once it has handed it over.
    table[abi::table::kLookup] = table[abi::table::kLookupFunction] = table[abi::table::kCall] = 0;
    EXPECT_NE(lookupVar("n"), nullptr);
    EXPECT_NE(lookupEngineFunction("trace"), nullptr);
    EXPECT_EQ(callScriptFunction(beeps, 7, 0, 0, 0), 7);
    table[abi::table::kLookup] = saved[0];
    table[abi::table::kLookupFunction] = saved[1];
    table[abi::table::kCall] = saved[2];
    attach(nullptr);
}

}  // namespace
}  // namespace evoplug::bridge
