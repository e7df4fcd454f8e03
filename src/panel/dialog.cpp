#include "panel/dialog.h"

#include "bridge/engine_bridge.h"
#include "bridge/engine_records.h"
#include "panel/panel_records.h"
#include "panel/script_bindings.h"

namespace evoplug::panel {
namespace {

// A panel pushed left of -300 is brought back into view.
constexpr int32_t kOutOfView = abi::fromInt(-300);
constexpr int32_t kBringBack = abi::fromInt(1100);
// What word 10 of the dialog panel holds while it is being moved.
constexpr int32_t kMoving = abi::fromInt(10);
// "DialogText" sits beside the panel's corner.
constexpr int32_t kTextOffsetX = abi::fromInt(50);
constexpr int32_t kTextOffsetY = abi::fromInt(25);

void show(void* feedback, const MString& message) {
    if (feedback != nullptr) bridge::setStringText(feedback, shownCopy(message));
}

// Bound on first use; a script without the variable cannot drag.
bool draggingEnabled() {
    if (dragSwitch == nullptr) dragSwitch = static_cast<int32_t*>(bridge::lookupVar("dragSwitch"));
    return dragSwitch != nullptr && abi::toInt(*dragSwitch) == 1;
}

int32_t& posX(void* panel) { return bridge::word(panel, abi::panel::kPosX); }
int32_t& posY(void* panel) { return bridge::word(panel, abi::panel::kPosY); }

}  // namespace

void ShowFeedback(MString message) {
    DialogState& d = dialogState;
    d.panel = bridge::lookupVar("DialogPanel");
    d.feedback = bridge::lookupVar("FeedbackText");
    show(d.feedback, message);
    d.text = bridge::lookupVar("DialogText");
    if (d.panel != nullptr && posX(d.panel) < kOutOfView) {
        posX(d.panel) += kBringBack;
        if (d.text != nullptr) posX(d.text) = wrappingAdd(posX(d.text), kBringBack);
    }
}

void dragPanel() {
    if (!draggingEnabled()) return;
    DialogState& d = dialogState;
    if (d.panel == nullptr) {
        d.panel = bridge::lookupVar("DialogPanel");
        d.feedback = bridge::lookupVar("FeedbackText");
    }
    show(d.feedback, dragActive == 1 ? "Hallo DragnDrop" : "Kann nicht bewegt werden");
}

void moveMyPanel() {
    ShowFeedback("Hallo, Move Panel ");
    if (!draggingEnabled()) return;
    dragActive = 1;
    if (dialogState.panel != nullptr)
        bridge::word(dialogState.panel, abi::panel::kWord10) = kMoving;
    bridge::callScriptByName("checkDragProcess", 0, 0, 0, 0);
}

void releaseMyPanel() {
    if (draggingEnabled()) {
        dragActive = 0;
        *dragSwitch = 0;
    }
    ShowFeedback("Das Panel wird losgelassen");
}

void positionPanel(int32_t flag) {
    if (flag != 1) return;
    // Both objects come from the first move or release; until then, and for
    // a mouse position WDL_syntax has not bound, that part is skipped.
    void* panel = dialogState.panel;
    if (panel == nullptr) return;
    if (bindings.mouseX != nullptr) posX(panel) = *bindings.mouseX;
    if (bindings.mouseY != nullptr) posY(panel) = *bindings.mouseY;
    if (dialogState.text != nullptr) {
        posX(dialogState.text) = wrappingAdd(posX(panel), kTextOffsetX);
        posY(dialogState.text) = wrappingAdd(posY(panel), kTextOffsetY);
    }
}

}  // namespace evoplug::panel
