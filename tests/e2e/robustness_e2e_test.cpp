// Bad input from the script, through the loaded plug-in: verdicts and
// settings at the edges of the 32-bit range, calls out of order, script
// objects missing. Nothing may crash (the sanitizer build checks the rest),
// and the population and its entities must stay consistent.
#include <climits>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

using abi::fromInt;

int64_t fixedSeconds() { return 4242; }

class RobustnessTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        call().SetRuntimeClock(&fixedSeconds);
        saved_ = std::cout.rdbuf(report_.rdbuf());  // the German progress report
    }
    void TearDown() override { std::cout.rdbuf(saved_); }

    std::ostringstream report_;
    std::streambuf* saved_ = nullptr;

    // A script whose verdict is always `verdict_`, whatever the genes; it
    // must be defined before the plug-in binds "CalculateFitness".
    void verdictFromTest() {
        engine.defineFunction("CalculateFitness", [this](int32_t, int32_t, int32_t, int32_t) {
            *engine.var("chromosom") = verdict_;
            return 0;
        });
    }
    int32_t verdict_ = 0;

    // Every entity carries genes 0..254 as whole EngineVars.
    void expectEntitiesCarryGenes() {
        for (const int32_t* e : engine.entityRecords()) {
            for (int w : {abi::entity::kGene0, abi::entity::kGene1, abi::entity::kGene2}) {
                EXPECT_GE(e[w], 0);
                EXPECT_LE(e[w], fromInt(254));
                EXPECT_EQ(e[w] % abi::kOne, 0);
            }
        }
    }

    // Runs the generations with every selection and crossbreeding strategy.
    void evolveWithEveryStrategy(int generations) {
        for (int kind = 0; kind < 6; ++kind) {
            call().SelectCommand(fromInt(0), fromInt(kind == 0 ? -1 : 1));
            call().SelectCommand(fromInt(1), fromInt(kind < 3 ? 1 : -1));
            call().CreateGenotype();
            for (int g = 0; g < generations; ++g) call().evolution(0, 0);
        }
    }
};

TEST_F(RobustnessTest, ScriptVerdictsAtTheEdgesGiveSaturatedStatistics) {
    struct Case {
        int32_t verdict;    // what "CalculateFitness" leaves in "chromosom"
        int32_t published;  // "average", "minimal", "maximal": thousandths
    };
    const Case cases[] = {
        {INT32_MIN, INT32_MIN},
        {INT32_MIN + 1, INT32_MIN},
        {-fromInt(3000), INT32_MIN},
        {-abi::kOne, -1000 * abi::kOne},
        {-1, -1000},
        {0, 0},
        {1, 1000},
        {abi::kOne, 1000 * abi::kOne},
        {2 * abi::kOne, 2000 * abi::kOne},
        {fromInt(2097), 2097000 * abi::kOne},
        {fromInt(2098), INT32_MAX},
        {INT32_MAX, INT32_MAX},
    };
    verdictFromTest();
    startUp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict);
        verdict_ = c.verdict;
        call().CreateGenotype();
        for (int g = 0; g < 3; ++g) call().evolution(0, 0);
        call().evolution(0, 0);  // publishes the statistics of the generation before
        EXPECT_EQ(*engine.var("average"), c.published);
        EXPECT_EQ(*engine.var("minimal"), c.published);
        EXPECT_EQ(*engine.var("maximal"), c.published);
        EXPECT_EQ(engine.liveEntities(), 20u);
        expectEntitiesCarryGenes();
    }
}

TEST_F(RobustnessTest, RandomVerdictsKeepEveryStrategyInBounds) {
    uint32_t state = 12345;
    engine.defineFunction("CalculateFitness", [&](int32_t, int32_t, int32_t, int32_t) {
        state = state * 1664525u + 1013904223u;
        const int32_t edges[] = {INT32_MIN, -1, 0, 1, abi::kOne, INT32_MAX};
        *engine.var("chromosom") =
            (state >> 28) < 6 ? edges[state >> 28] : static_cast<int32_t>(state);
        return 0;
    });
    startUp();
    evolveWithEveryStrategy(20);
    EXPECT_EQ(engine.liveEntities(), 20u);
    EXPECT_EQ(engine.badRemovals(), 0u);
    expectEntitiesCarryGenes();
    for (int i = 0; i < 3 * 20; ++i) {
        EXPECT_GE(engine.var("bigarray")[i], 0);
        EXPECT_LE(engine.var("bigarray")[i], fromInt(255));
    }
}

TEST_F(RobustnessTest, SettingsAtTheEdgesBuildOnlyValidPopulations) {
    const int32_t raw[] = {INT32_MIN, -1, 0, 1, 200, 201, INT32_MAX};
    const int32_t whole[] = {INT32_MIN >> 10, -1, 0, 1, 2, 3, 4, 199, 200, 201, INT32_MAX >> 10};
    startUp();
    call().CreateGenotype();
    ASSERT_EQ(engine.liveEntities(), 20u);
    size_t live = 20;
    auto tryNumElem = [&](int32_t value) {
        SCOPED_TRACE(value);
        *engine.var("num_elem") = value;
        call().CreateGenotype();
        const int32_t n = abi::toInt(value);
        if (n >= 1 && n <= 200) live = static_cast<size_t>(n);  // else the old one stays
        EXPECT_EQ(engine.liveEntities(), live);
        for (int g = 0; g < 3; ++g) call().evolution(0, 0);
        EXPECT_EQ(engine.liveEntities(), live);
    };
    for (int32_t v : raw) tryNumElem(v);
    for (int32_t v : whole) tryNumElem(fromInt(v));

    // Gene count, mutation and crossover at their edges, each with a valid
    // population size and every strategy.
    *engine.var("num_elem") = fromInt(5);
    for (const char* name : {"stringlength", "mutation", "crossover"}) {
        for (int32_t v : raw) {
            for (int32_t value : {v, fromInt(v)}) {
                SCOPED_TRACE(std::string(name) + " " + std::to_string(value));
                *engine.var(name) = value;
                evolveWithEveryStrategy(2);
                EXPECT_LE(engine.liveEntities(), 200u);
                EXPECT_EQ(engine.badRemovals(), 0u);
                expectEntitiesCarryGenes();
            }
        }
        level.apply(level.settings());  // back to the standard settings
        *engine.var("num_elem") = fromInt(5);
    }
}

// Every export with edge arguments, first before the engine has attached,
// then attached but before any binding, then after start-up.
TEST_F(RobustnessTest, ExportsInAnyOrderDoNothingHarmful) {
    const int32_t edges[] = {INT32_MIN,  -fromInt(1), -1,         0,        1,
                             fromInt(1), fromInt(2),  fromInt(9), INT32_MAX};
    int32_t record[32] = {};
    auto everyExport = [&] {
        const host::Exports& x = call();
        for (int32_t v : edges) {
            x.SelectRadio(v);
            x.SelectCommand(v, v);
            x.ControlPanelCommand(v, v == INT32_MIN ? INT32_MAX : -v);
            x.PositionPanel(v);
            x.evolution(v, v);
            x.AddToSkySpeed(v);
            x.ZoomIn(v);
            x.Square(v);
            x.WDLBeep(v);
        }
        for (void* p : {static_cast<void*>(nullptr), static_cast<void*>(record)}) {
            x.CPlusPlayer_main(p);
            x.DLLEffect_Explo(p);
            x.DLLPart_Alphafade(p);
            x.DistAhead(p);
            x.FlipUpsideDown(p);
        }
        x.SetCloudSpeed(nullptr);
        x.SetCloudSpeed(record);
        x.PaintScreenWhite();
        x.bin_extern();
        x.TransferChrom();
        x.MyFitness();
        x.SendFitnessFunction();
        x.ToggleControlPanel();
        x.DragPanel();
        x.MoveMyPanel();
        x.ReleaseMyPanel();
        x.CorpusReduce();
        x.CorpusInit();
        x.countup();
        x.CreateGenotype();
        x.evolution(0, 0);
    };
    everyExport();  // not attached: nothing reaches the engine
    EXPECT_EQ(engine.liveEntities(), 0u);
    call().A5_DLLAPI(engine.interfaceRecord());
    everyExport();  // attached, nothing bound
    EXPECT_EQ(engine.liveEntities(), 0u);
    call().InterfaceInit();
    everyExport();  // bound, but no engine functions and no groups yet
    EXPECT_EQ(engine.liveEntities(), 0u);
    call().WDL_syntax();
    call().init_population();
    call().init_Ortavia();
    everyExport();
    EXPECT_EQ(engine.liveEntities(), 20u);
    EXPECT_EQ(engine.badRemovals(), 0u);
    call().A5_DLLAPI(nullptr);  // detached again: the bound pointers stay
    everyExport();
    EXPECT_EQ(engine.liveEntities(), 20u);
}

// Each script object missing in turn from an otherwise complete level.
TEST_F(RobustnessTest, AnyMissingScriptObjectIsSurvived) {
    const char* names[] = {
        "num_elem",          "stringlength",     "mutation",    "crossover",  "average",
        "minimal",           "maximal",          "smallarray",  "bigarray",   "chromosom",
        "big_iterator",      "actionstring",     "modelname",   "Slot0",      "Str0",
        "Controller",        "selection",        "crossbreed",  "selStr",     "crossStr",
        "EvolutionSettings", "RadioButton",      "DialogPanel", "DialogText", "FeedbackText",
        "dragSwitch",        "checkDragProcess", "camera",      "player",     "you",
        "mouse_pos.x",       "mouse_pos.y",      "time",        "sky_speed",  "cloud_speed",
        "CalculateFitness",  "ent_wander",       "Feedmeback"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        plugin = loadFreshPlugin();
        call().SetRuntimeClock(&fixedSeconds);
        engine.remove(name);
        startUp();
        if (engine.has("dragSwitch")) *engine.var("dragSwitch") = fromInt(1);
        call().CreateGenotype();
        for (int g = 0; g < 3; ++g) call().evolution(0, 0);
        for (int row = 0; row < 2; ++row) call().SelectCommand(fromInt(row), fromInt(1));
        call().ControlPanelCommand(0, fromInt(1));
        call().SelectRadio(fromInt(1));
        call().ToggleControlPanel();
        call().DragPanel();
        call().MoveMyPanel();
        call().ReleaseMyPanel();
        call().PositionPanel(fromInt(1));
        call().CreateGenotype();
        const bool sizeKnown =
            std::string(name) != "num_elem" && std::string(name) != "stringlength";
        EXPECT_EQ(engine.liveEntities(), sizeKnown ? 20u : 0u);
        EXPECT_EQ(engine.badRemovals(), 0u);
        // Clean up for the next name: the old plug-in's entities go too.
        for (int32_t* e : engine.entityRecords())
            reinterpret_cast<abi::EntRemoveFn>(host::Engine::lookupFunctionEntry("ent_remove"))(e);
        engine.restore(name);
    }
}

}  // namespace
}  // namespace evoplug::e2e
