// Whole seconds, from the real clock or from one that a host installs.
#pragma once

#include <cstdint>

namespace evoplug::runtime {

using ClockFunction = int64_t (*)(void);

// Replaces the clock; null restores the real one.
void setClock(ClockFunction clock);
int64_t nowSeconds();

}  // namespace evoplug::runtime
