// The script's names: bound stage by stage, checked against a level.
#include <sstream>

#include "script/script_bindings.h"
#include "support/state_fixture.h"

namespace evoplug::script {

using ScriptTest = testing::StateTest;

TEST_F(ScriptTest, CheckBindingsBindsNothingAndEachStageBindsItsNamesInTableOrder) {
    std::ostringstream out;
    EXPECT_EQ(script::checkWiring(s().engine, out), 1);  // not attached: nothing can be checked
    attach();
    // "actionstring" must name a script function, if anything; the level's does.
    const std::pair<const char*, int> actions[] = {
        {"nowhere", 1}, {"num_elem", 1}, {"", 0}, {"ent_wander", 0}};
    for (const auto& [action, problems] : actions) {
        engine.setText("actionstring", action);
        out.str("");
        EXPECT_EQ(script::checkWiring(s().engine, out), problems) << action;
        EXPECT_EQ(out.str().find('"' + std::string(action) + '"') != std::string::npos, problems)
            << action;
        EXPECT_EQ(out.str().empty(), problems == 0) << action;
    }
    for (int stage = 0; stage <= 2; ++stage) {
        if (stage > 0) s().script.bind(Stage(stage - 1), s().engine);
        for (int n = 0; n < kBoundNameCount; ++n) {
            const NameInfo& info = kNames[n];
            const void* want = int(info.stage) >= stage ? nullptr
                               : info.need == Need::Function
                                   ? reinterpret_cast<void*>(intptr_t{engine.handle(info.text)})
                               : info.need == Need::EngineFunction
                                   ? host::Engine::lookupFunctionEntry(info.text)
                                   : s().engine.find(info.text, kindOf(info.need));
            EXPECT_EQ(s().script.raw(Name(n)), want) << info.text << " after stage " << stage;
        }
    }
}

TEST(CheckWiring, TheLineSaysWhatTheNameMustBeAndWhichExportsUseIt) {
    host::Engine engine;
    host::Level level{engine};
    bridge::EngineLink link;
    link.attach(engine.interfaceRecord());
    engine.remove("smallarray");
    std::ostringstream out;
    checkWiring(link, out);
    EXPECT_EQ(out.str(),
              "evoplug: \"smallarray\" is missing; it must be an array (used by CreateGenotype, "
              "evolution)\n");
}

}  // namespace evoplug::script
