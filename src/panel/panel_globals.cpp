// The control panel's globals, in one place.
#include "panel/control_panel.h"

namespace evoplug::panel {

ScriptBindings bindings;
OptionGroup* settingsGroup = nullptr;
OptionGroup* controllerGroup = nullptr;
int32_t creationCount = 0;

NameList SelectionNames;
NameList CrossbreedNames;
NameList GeneNames;
OptionLists settingsLists;
OptionLists controllerLists;

}  // namespace evoplug::panel
