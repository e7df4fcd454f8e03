// The control panel's state, shared with the genetic algorithm, and the
// operations behind its exports.
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

// The names the groups were built from; an index in SelectionNames or
// CrossbreedNames is a strategy number. Empty until init_population.
extern NameList SelectionNames;
extern NameList CrossbreedNames;
extern NameList GeneNames;
extern OptionLists settingsLists;
extern OptionLists controllerLists;

// Start-up: bind the script's objects by name, then build the groups.
void interfaceInit();
void wdlSyntax();
void initPopulation();

// Button handlers. Each does nothing until init_population has built the
// groups.
void selectRadio(int32_t row);
void selectCommand(int32_t row, int32_t direction);
void controlPanelCommand(int32_t row, int32_t direction);
// Only while a population exists.
void toggleControlPanel();

}  // namespace evoplug::panel
