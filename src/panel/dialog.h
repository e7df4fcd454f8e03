// The draggable dialog panel and the feedback text shown in it.
#pragma once

#include <cstdint>

#include "bridge/engine_bridge.h"
#include "panel/shown_texts.h"
#include "script/script_bindings.h"

namespace evoplug::panel {

class Dialog {
  public:
    // With dragging enabled, tells in "FeedbackText" whether a move is under
    // way.
    void drag(bridge::EngineLink& engine);
    // Shows the move message; with dragging enabled, starts a move and calls
    // the script's "checkDragProcess".
    void move(bridge::EngineLink& engine);
    // With dragging enabled, ends the move and clears "dragSwitch"; shows the
    // release message.
    void release(bridge::EngineLink& engine);
    // Puts the dialog under the mouse when flag is 1.
    void position(int32_t flag, const script::Bindings& script);

  private:
    // Shows the message and brings a panel pushed far left back into view;
    // rebinds the dialog's objects on every call.
    void showFeedback(bridge::EngineLink& engine, const char* message);
    // Bound on first use; a script without the variable cannot drag.
    bool draggingEnabled(bridge::EngineLink& engine);

    bridge::PanelRecord panel_;      // "DialogPanel"
    bridge::PanelRecord text_;       // "DialogText"
    bridge::StringRecord feedback_;  // "FeedbackText"
    int32_t dragActive_ = 0;         // 1 while a move is under way
    int32_t* dragSwitch_ = nullptr;
};

}  // namespace evoplug::panel
