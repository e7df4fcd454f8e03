// Helpers shared by the MString translation units; not part of the interface.
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace evoplug::detail {

// Length of a C string; a null pointer is the empty text.
inline int CStrLen(const char* s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

// A C-string argument of an edit that releases characters, readable to the
// end of the edit: any release frees the text's buffer, so an argument lying
// in it is copied first. Others are used in place, at the cost of two compares.
class StableArg {
  public:
    StableArg(const char* s, const char* buffer, int bufferLength) : arg(s) {
        const std::less_equal<const char*> atOrBefore;  // a total order, unlike <=
        if (s != nullptr && buffer != nullptr && atOrBefore(buffer, s) &&
            atOrBefore(s, buffer + bufferLength)) {
            copy.assign(s);
            copied = true;
        }
    }
    StableArg(const StableArg&) = delete;
    StableArg& operator=(const StableArg&) = delete;

    const char* get() const { return copied ? copy.c_str() : arg; }

  private:
    const char* arg;
    std::string copy;
    bool copied = false;
};

// Prefix-function table for matching `pattern` (length m > 0) in one pass
// over a chain: entry q is the length of the longest proper border of the
// first q + 1 characters.
inline std::vector<int> BorderTable(const char* pattern, int m) {
    std::vector<int> border(static_cast<size_t>(m), 0);
    int k = 0;
    for (int q = 1; q < m; ++q) {
        while (k > 0 && pattern[q] != pattern[k]) k = border[static_cast<size_t>(k - 1)];
        if (pattern[q] == pattern[k]) ++k;
        border[static_cast<size_t>(q)] = k;
    }
    return border;
}

// Advances the matcher state `q` (characters of `pattern` matched so far) by
// one character.
inline int MatchStep(const char* pattern, const std::vector<int>& border, int q, char c) {
    while (q > 0 && pattern[q] != c) q = border[static_cast<size_t>(q - 1)];
    if (pattern[q] == c) ++q;
    return q;
}

}  // namespace evoplug::detail
