#include "exports/exports.h"
#include "panel/control_panel.h"
#include "panel/dialog.h"

using namespace evoplug;
using abi::toInt;

int32_t InterfaceInit() {
    panel::interfaceInit();
    return 0;
}

int32_t WDL_syntax() {
    panel::wdlSyntax();
    return 0;
}

int32_t init_population() {
    panel::initPopulation();
    return 0;
}

int32_t SelectRadio(int32_t row) {
    panel::selectRadio(toInt(row));
    return 0;
}

int32_t SelectCommand(int32_t row, int32_t direction) {
    panel::selectCommand(toInt(row), toInt(direction));
    return 0;
}

int32_t ControlPanelCommand(int32_t row, int32_t direction) {
    panel::controlPanelCommand(toInt(row), toInt(direction));
    return 0;
}

int32_t ToggleControlPanel() {
    panel::toggleControlPanel();
    return 0;
}

int32_t DragPanel() {
    panel::dragPanel();
    return 0;
}

int32_t MoveMyPanel() {
    panel::moveMyPanel();
    return 0;
}

int32_t ReleaseMyPanel() {
    panel::releaseMyPanel();
    return 0;
}

int32_t PositionPanel(int32_t flag) {
    panel::positionPanel(toInt(flag));
    return 0;
}
