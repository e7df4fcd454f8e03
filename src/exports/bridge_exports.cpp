#include <iostream>

#include "exports/exports.h"
#include "exports/guard.h"

using evoplug::PluginState;

// The engine's entry: stores the interface record.
int32_t A5_DLLAPI(void* hostInterface) {
    return evoplug::guarded(__func__, [&](PluginState& s) { return s.attach(hostInterface); });
}

// The level's wiring: one line per problem on standard error.
int32_t CheckBindings() {
    return evoplug::guarded(__func__, [](PluginState& s) {
        return evoplug::abi::fromInt(evoplug::script::checkWiring(s.engine, std::cerr));
    });
}

void SetRuntimeClock(int64_t (*seconds)(void)) {
    evoplug::guarded(__func__, [&](PluginState& s) { s.clock.setSource(seconds); });
}

void ResetPluginState() { evoplug::resetState(); }
