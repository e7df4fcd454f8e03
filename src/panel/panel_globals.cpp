// The control panel's globals, in one place.
#include "panel/control_panel.h"

namespace evoplug::panel {

ScriptBindings bindings;
OptionGroup* settingsGroup = nullptr;
OptionGroup* controllerGroup = nullptr;
int32_t creationCount = 0;

}  // namespace evoplug::panel
