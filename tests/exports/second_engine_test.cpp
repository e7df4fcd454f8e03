// The engine hands over its record again, but it is another engine's: the
// former one is gone, with every object and entity the library found there.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "engine.h"
#include "exports/exports.h"
#include "level.h"
#include "support/exports_level.h"

namespace evoplug {
namespace {

using abi::fromInt;
using abi::Word;

void bindAndBuildPanel() {
    InterfaceInit();
    WDL_syntax();
    init_population();
}

// The library tells engines apart only by where their record lies: a new
// engine whose record took the former one's place would look like the former
// starting again. The stand-in engine allows one at a time, so the second may
// take the first one's storage; each is handed over through a copy of its
// record, and both copies live for the whole test at addresses of their own.
TEST(SecondEngine, UsesNothingTheFormerOneGaveAndLeavesItsEntitiesAlone) {
    Word records[2][abi::host::kWords];
    int32_t particle[abi::particle::kWords] = {};
    std::cout.setstate(std::ios::badbit);  // the report
    ResetPluginState();
    SetRuntimeClock(&testing::standingClock);
    {
        host::Engine first;
        host::Level level(first);
        std::copy_n(static_cast<Word*>(first.interfaceRecord()), abi::host::kWords, records[0]);
        A5_DLLAPI(records[0]);
        bindAndBuildPanel();
        init_Ortavia();
        CreateGenotype();
        *first.var("dragSwitch") = fromInt(1);
        MoveMyPanel();
        DLLEffect_Explo(particle);
    }
    host::Engine second;
    // Shifts every handle, so that none of the first engine's fits here.
    second.defineFunction("spare", [](int32_t, int32_t, int32_t, int32_t) { return 0; });
    host::Level level(second);
    *second.var("dragSwitch") = fromInt(1);
    std::copy_n(static_cast<Word*>(second.interfaceRecord()), abi::host::kWords, records[1]);
    EXPECT_EQ(A5_DLLAPI(records[1]), 511);
    evolution(0, 0);  // on the former population, with nothing bound
    EXPECT_EQ(second.calls().size(), 0u);
    bindAndBuildPanel();  // without init_Ortavia: no action function

    DragPanel();  // no move under way here
    EXPECT_EQ(second.text("FeedbackText"), "Kann nicht bewegt werden");
    particle[abi::particle::kAlpha] = 5000;
    DLLPart_Alphafade(particle);  // "time" is not known yet
    EXPECT_EQ(particle[abi::particle::kAlpha], 5000);
    DLLEffect_Explo(particle);
    EXPECT_EQ(particle[abi::particle::kFunction], second.handle("DLLPart_Alphafade"));

    CreateGenotype();
    EXPECT_EQ(second.liveEntities(), 20u);
    EXPECT_EQ(second.entitiesRemoved(), 0u);
    EXPECT_EQ(second.badRemovals(), 0u);
    EXPECT_EQ(second.entity(second.entityRecords()[0])->action, 0);
    // The same record again is the same engine: its entities are kept, and go
    // with the next population.
    EXPECT_EQ(A5_DLLAPI(records[1]), 511);
    CreateGenotype();
    EXPECT_EQ(second.entitiesRemoved(), 20u);
    EXPECT_EQ(second.liveEntities(), 20u);
    ResetPluginState();
    std::cout.clear();
}

}  // namespace
}  // namespace evoplug
