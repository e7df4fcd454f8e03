#include "panel/dialog.h"

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

using bridge::PanelRecord;
using bridge::StringRecord;

template <typename Record>
Record find(bridge::EngineLink& engine, script::Name name) {
    return engine.find<Record>(script::nameOf(name));
}

}  // namespace

bool Dialog::draggingEnabled(bridge::EngineLink& engine) {
    if (dragSwitch_ == nullptr) dragSwitch_ = engine.findNumber(script::nameOf(script::DragSwitch));
    return dragSwitch_ != nullptr && abi::toInt(*dragSwitch_) == 1;
}

void Dialog::showFeedback(bridge::EngineLink& engine, const char* message) {
    const bridge::LastingText text = TextPool::handOver(message);
    panel_ = find<PanelRecord>(engine, script::DialogPanel);
    feedback_ = find<StringRecord>(engine, script::FeedbackText);
    show(feedback_, text);
    text_ = find<PanelRecord>(engine, script::DialogText);
    if (panel_ && panel_.x() < kOutOfView) {
        panel_.x() += kBringBack;
        if (text_) text_.x() = bridge::wrappingAdd(text_.x(), kBringBack);
    }
}

void Dialog::drag(bridge::EngineLink& engine) {
    if (!draggingEnabled(engine)) return;
    const bridge::LastingText text =
        TextPool::handOver(dragActive_ == 1 ? "Hallo DragnDrop" : "Kann nicht bewegt werden");
    if (!panel_) {
        panel_ = find<PanelRecord>(engine, script::DialogPanel);
        feedback_ = find<StringRecord>(engine, script::FeedbackText);
    }
    show(feedback_, text);
}

void Dialog::move(bridge::EngineLink& engine) {
    showFeedback(engine, "Hallo, Move Panel ");
    if (!draggingEnabled(engine)) return;
    dragActive_ = 1;
    if (panel_) panel_.moveMarker() = kMoving;
    engine.callScriptByName(script::nameOf(script::CheckDragProcess), 0, 0, 0, 0);
}

void Dialog::release(bridge::EngineLink& engine) {
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
    if (!panel_) return;
    if (const int32_t* x = script.number(script::MouseX)) panel_.x() = *x;
    if (const int32_t* y = script.number(script::MouseY)) panel_.y() = *y;
    if (text_) {
        text_.x() = bridge::wrappingAdd(panel_.x(), kTextOffsetX);
        text_.y() = bridge::wrappingAdd(panel_.y(), kTextOffsetY);
    }
}

}  // namespace evoplug::panel
