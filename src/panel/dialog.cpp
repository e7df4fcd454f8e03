#include "panel/dialog.h"

#include "bridge/engine_records.h"

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

using bridge::Kind;

int32_t& posX(void* panel) { return bridge::word(panel, abi::panel::kPosX); }
int32_t& posY(void* panel) { return bridge::word(panel, abi::panel::kPosY); }

void* find(const bridge::EngineLink& engine, script::Name name, Kind kind) {
    return engine.find(script::nameOf(name), kind);
}

}  // namespace

bool Dialog::draggingEnabled(const bridge::EngineLink& engine) {
    if (dragSwitch_ == nullptr) dragSwitch_ = engine.findNumber(script::nameOf(script::DragSwitch));
    return dragSwitch_ != nullptr && abi::toInt(*dragSwitch_) == 1;
}

void Dialog::showFeedback(const bridge::EngineLink& engine, const char* message) {
    const char* text = handOver(message);
    panel_ = find(engine, script::DialogPanel, Kind::Panel);
    feedback_ = find(engine, script::FeedbackText, Kind::String);
    show(feedback_, text);
    text_ = find(engine, script::DialogText, Kind::Panel);
    if (panel_ != nullptr && posX(panel_) < kOutOfView) {
        posX(panel_) += kBringBack;
        if (text_ != nullptr) posX(text_) = bridge::wrappingAdd(posX(text_), kBringBack);
    }
}

void Dialog::drag(const bridge::EngineLink& engine) {
    if (!draggingEnabled(engine)) return;
    const char* text = handOver(dragActive_ == 1 ? "Hallo DragnDrop" : "Kann nicht bewegt werden");
    if (panel_ == nullptr) {
        panel_ = find(engine, script::DialogPanel, Kind::Panel);
        feedback_ = find(engine, script::FeedbackText, Kind::String);
    }
    show(feedback_, text);
}

void Dialog::move(const bridge::EngineLink& engine) {
    showFeedback(engine, "Hallo, Move Panel ");
    if (!draggingEnabled(engine)) return;
    dragActive_ = 1;
    if (panel_ != nullptr) bridge::word(panel_, abi::panel::kMoveMarker) = kMoving;
    engine.callScriptByName(script::nameOf(script::CheckDragProcess), 0, 0, 0, 0);
}

void Dialog::release(const bridge::EngineLink& engine) {
    if (draggingEnabled(engine)) {
        dragActive_ = 0;
        *dragSwitch_ = 0;
    }
    showFeedback(engine, "Das Panel wird losgelassen");
}

void Dialog::position(int32_t flag, const script::Bindings& script) {
    if (flag != 1) return;
    // Both objects come from the first move or release; until then, and for
    // a mouse position WDL_syntax has not bound, that part is skipped.
    if (panel_ == nullptr) return;
    if (const int32_t* x = script.number(script::MouseX)) posX(panel_) = *x;
    if (const int32_t* y = script.number(script::MouseY)) posY(panel_) = *y;
    if (text_ != nullptr) {
        posX(text_) = bridge::wrappingAdd(posX(panel_), kTextOffsetX);
        posY(text_) = bridge::wrappingAdd(posY(panel_), kTextOffsetY);
    }
}

}  // namespace evoplug::panel
