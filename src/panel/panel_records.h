// What the panel code writes into engine records.
#pragma once

#include <cstdint>

#include "text/mstring.h"

namespace evoplug::panel {

// A fresh NUL-terminated copy of `text` for an engine string, which keeps it
// for good: the plug-in never releases it. An empty text still gives a valid
// empty C string, since the engine cannot show a null text.
inline char* shownCopy(const MString& text) {
    char* copy = text.ToCString(0);
    return copy != nullptr ? copy : new char[1]{};
}

// Adds in unsigned arithmetic, so that a position at the edge of the range
// wraps instead of overflowing.
inline int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace evoplug::panel
