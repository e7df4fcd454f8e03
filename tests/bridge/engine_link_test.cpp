// The engine link's answers by type code and kind, and its calls.
#include <gtest/gtest.h>

#include "bridge/engine_bridge.h"
#include "engine.h"

namespace evoplug::bridge {

TEST(EngineLink, AnswersByTypeCodeAndKindAndCallsOnlyOnceAttached) {
    host::Engine engine;
    engine.defineFunction("twice", [](int32_t a, auto...) { return 2 * a; });
    EngineLink link;
    const int32_t accepted[][2] = {{1, 2}, {3, 3}, {4, 4}, {6, 6}, {9, 9}};  // by Kind, in order
    for (int32_t code : {1, 2, 3, 4, 6, 7, 9}) {
        SCOPED_TRACE(::testing::Message() << "type code " << code);
        engine.defineRaw("o", code, 0x1000, 0x2000);
        // Before the first attach, and after attach(nullptr), nothing is found or called.
        EXPECT_EQ(link.typeOf("o"), 0);
        EXPECT_EQ(link.callScriptByName("twice", 1, 0, 0, 0), 0);
        EXPECT_EQ(link.attach(engine.interfaceRecord()), 511);
        // Strings and panels keep their record in word 1, every other kind in word 0.
        void* word = reinterpret_cast<void*>(code == 3 || code == 9 ? 0x2000 : 0x1000);
        EXPECT_EQ(link.lookupScriptFunction("o"), code == 6 ? 0x1000 : 0);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(link.find("o", Kind(k)),
                      code == accepted[k][0] || code == accepted[k][1] ? word : nullptr)
                << "as kind " << k;
        EXPECT_EQ(link.attach(nullptr), 511);
    }
    EXPECT_TRUE(engine.calls().empty());
    link.attach(engine.interfaceRecord());
    engine.defineVar("n");
    EXPECT_EQ(link.callScriptByName("twice", 21, 0, 0, 0), 42);
    EXPECT_EQ(link.callScriptByName("n", 5, 0, 0, 0), 0);
    ASSERT_EQ(engine.calls().size(), 2u);
    EXPECT_EQ(engine.calls()[1].handle, 0);  // not a function: the engine is called with 0
    EXPECT_NE(link.function<abi::engine_function::trace>(), nullptr);
}

}  // namespace evoplug::bridge
