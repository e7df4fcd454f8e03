// Helpers shared by the text tests.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

#include "support/cout_capture.h"
#include "text/mstring.h"

namespace evoplug::testing {

inline std::string Str(const MString& s) {
    std::ostringstream out;
    out << s;
    return out.str();
}

// Formats a pointer the way the dumps do.
inline std::string Ptr(const void* p) {
    std::ostringstream out;
    out << p;
    return out.str();
}

}  // namespace evoplug::testing
