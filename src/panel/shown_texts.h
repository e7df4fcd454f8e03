// The texts the plug-in hands to the engine's strings.
//
// An engine string keeps pointing at the text it was given for as long as the
// engine runs: longer than any state of the plug-in, a host's reset
// included. So a text is handed over from one pool that is never freed, each
// distinct text once: showing the same name or message again, every frame
// if need be, allocates nothing.
#pragma once

#include "bridge/engine_records.h"
#include "text/mstring.h"

namespace evoplug::panel {

class TextPool {
  public:
    // A NUL-terminated copy of `text` that lives as long as the process; the
    // empty text gives an empty C string, since the engine cannot show null.
    static bridge::LastingText handOver(const MString& text);
    static bridge::LastingText handOver(const char* text);
};

// Points the engine string at `text`.
void show(bridge::StringRecord string, bridge::LastingText text);

}  // namespace evoplug::panel
