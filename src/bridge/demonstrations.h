// Small operations that each show one way a plug-in acts on the engine.
#pragma once

#include <cstdint>

namespace evoplug::demo {

// Calls the script function "beeps" with the count; its result.
int32_t beep(int32_t count);

}  // namespace evoplug::demo
