#include "bridge/engine_bridge.h"
#include "exports/exports.h"
#include "runtime/clock.h"

// The engine's entry: only stores the interface record.
int32_t A5_DLLAPI(void* hostInterface) { return evoplug::bridge::attach(hostInterface); }

void SetRuntimeClock(int64_t (*seconds)(void)) { evoplug::runtime::setClock(seconds); }
