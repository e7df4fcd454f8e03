// The standard level started through the exports, as a level script starts
// it, with a population and dragging enabled; the clock stands still.
#pragma once

#include "engine.h"
#include "exports/exports.h"

namespace evoplug::testing {

inline int64_t standingClock() { return 99; }

inline void startUpWithPopulation(host::Engine& engine) {
    SetRuntimeClock(&standingClock);
    A5_DLLAPI(engine.interfaceRecord());
    InterfaceInit();
    WDL_syntax();
    init_population();
    init_Ortavia();
    CreateGenotype();
    *engine.var("dragSwitch") = abi::fromInt(1);
}

}  // namespace evoplug::testing
