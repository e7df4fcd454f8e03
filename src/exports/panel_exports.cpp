#include "exports/exports.h"
#include "exports/guard.h"

using evoplug::guarded;
using evoplug::PluginState;
using evoplug::abi::toInt;
namespace script = evoplug::script;

int32_t InterfaceInit() {
    return guarded(__func__,
                   [](PluginState& s) { s.script.bind(script::Stage::AtInterfaceInit, s.engine); });
}
int32_t WDL_syntax() {
    return guarded(__func__,
                   [](PluginState& s) { s.script.bind(script::Stage::AtWdlSyntax, s.engine); });
}
int32_t init_population() {
    return guarded(__func__, [](PluginState& s) { s.buildPanel(); });
}
int32_t SelectRadio(int32_t row) {
    return guarded(__func__, [&](PluginState& s) { s.panel.placeRadio(toInt(row)); });
}
int32_t SelectCommand(int32_t row, int32_t direction) {
    return guarded(__func__,
                   [&](PluginState& s) { s.panel.stepSettings(toInt(row), toInt(direction)); });
}
int32_t ControlPanelCommand(int32_t row, int32_t direction) {
    return guarded(__func__,
                   [&](PluginState& s) { s.panel.stepController(toInt(row), toInt(direction)); });
}
int32_t ToggleControlPanel() {
    return guarded(__func__, [](PluginState& s) { s.toggleController(); });
}
int32_t DragPanel() {
    return guarded(__func__, [](PluginState& s) { s.dialog.drag(s.engine); });
}
int32_t MoveMyPanel() {
    return guarded(__func__, [](PluginState& s) { s.dialog.move(s.engine); });
}
int32_t ReleaseMyPanel() {
    return guarded(__func__, [](PluginState& s) { s.dialog.release(s.engine); });
}
int32_t PositionPanel(int32_t flag) {
    return guarded(__func__, [&](PluginState& s) { s.dialog.position(toInt(flag), s.script); });
}
