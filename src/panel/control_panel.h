// The control panel's state, shared with the genetic algorithm.
#pragma once

#include <cstdint>

#include "panel/option_group.h"
#include "panel/script_bindings.h"

namespace evoplug::panel {

// Rows of the settings group.
constexpr int kSelectionRow = 0;
constexpr int kCrossbreedRow = 1;

// Built by init_population; null until then.
extern OptionGroup* settingsGroup;
extern OptionGroup* controllerGroup;
// 1 while a population exists (set by the genetic algorithm).
extern int32_t creationCount;

}  // namespace evoplug::panel
