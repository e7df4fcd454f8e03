// The control panel's globals, in one place.
#include "panel/control_panel.h"
#include "panel/dialog.h"

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

DialogState dialogState;
int32_t dragActive = 0;
int32_t* dragSwitch = nullptr;

}  // namespace evoplug::panel
