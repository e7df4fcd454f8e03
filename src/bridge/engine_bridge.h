// How every subsystem reaches the engine: lookups by name and calls.
//
// Until the engine has handed over its interface record, every lookup yields
// null (or handle 0) and every call returns 0 without reaching anything.
#pragma once

#include <cstdint>

#include "bridge/host_interface.h"

namespace evoplug::bridge {

using abi::EngineVar;

// Stores the engine's interface record and copies of its words; an earlier
// record is forgotten. Answers 511.
int32_t attach(void* hostInterface);
bool attached();

// The data pointer of the named script object: word 1 for strings and
// panels, word 0 for every other kind. Null when the name is unknown.
void* lookupVar(const char* name);
// The handle of the named script function; 0 for any other kind of object.
int32_t lookupScriptFunction(const char* name);
// An engine function by name, or null.
void* lookupEngineFunction(const char* name);
// Calls a script function through the engine; handle 0 is passed on.
int32_t callScriptFunction(int32_t handle, int32_t a, int32_t b, int32_t c, int32_t d);
int32_t callScriptByName(const char* name, int32_t a, int32_t b, int32_t c, int32_t d);

// The screen surface record handed over with the interface record, or null.
const abi::Word* surfaceRecord();

template <typename Fn>
Fn engineFunction(const char* name) {
    return reinterpret_cast<Fn>(lookupEngineFunction(name));
}

}  // namespace evoplug::bridge
