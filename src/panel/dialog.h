// The draggable dialog panel and the feedback text shown in it.
#pragma once

#include <cstdint>

#include "text/mstring.h"

namespace evoplug::panel {

// The dialog's script objects, bound by name when first needed.
struct DialogState {
    void* panel = nullptr;     // "DialogPanel"
    void* text = nullptr;      // "DialogText" (a panel)
    void* feedback = nullptr;  // "FeedbackText" (a string)
};

extern DialogState dialogState;
// 1 while a move is under way.
extern int32_t dragActive;
// The script variable "dragSwitch"; dragging is enabled while it holds 1.
extern int32_t* dragSwitch;

// Shows the message in "FeedbackText" and brings a panel that was pushed far
// left back into view. Rebinds the dialog's objects on every call.
void ShowFeedback(MString message);

void dragPanel();
void moveMyPanel();
void releaseMyPanel();
// Puts the dialog under the mouse when flag is 1.
void positionPanel(int32_t flag);

}  // namespace evoplug::panel
