// What the panel code writes into engine records.
#pragma once

#include <cstdint>

#include "bridge/engine_records.h"
#include "text/mstring.h"

namespace evoplug::panel {

// A fresh NUL-terminated copy of `text` for an engine string, which keeps it
// for good: the plug-in never releases it. An empty text still gives a valid
// empty C string, since the engine cannot show a null text.
inline char* shownCopy(const MString& text) {
    char* copy = text.ToCString(0);
    return copy != nullptr ? copy : new char[1]{};
}

using bridge::wrappingAdd;

}  // namespace evoplug::panel
