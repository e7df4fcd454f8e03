#include "bridge/demonstrations.h"

#include "bridge/engine_bridge.h"

namespace evoplug::demo {

int32_t beep(int32_t count) { return bridge::callScriptByName("beeps", count, 0, 0, 0); }

}  // namespace evoplug::demo
