// Helpers shared by the text tests; a case holds an expression, its value and the expected one.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/stdout_capture.h"
#include "text/mstring.h"

namespace evoplug::testing {

// Every character, 0 included: the buffer holds them all.
inline std::string Str(const MString& s) {
    MString copy(s);
    return std::string(copy.GetBuffer(), static_cast<size_t>(copy.GetLength()));
}

// A text holding exactly `s`, 0s included (MString(const char*) ends at a 0).
inline MString Text(const std::string& s) {
    MString text;
    for (char c : s) text += MString(c, 1);
    return text;
}

inline std::string Ptr(const void* p) {
    std::ostringstream out;
    out << p;
    return out.str();
}

struct Case {
    const char* what;
    std::string got, want;
};

inline void CheckAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

// Runs `edit` on a fresh MString holding `text` and gives "result:text|".
// The '|' is appended afterwards, so a tail left behind by the edit shows.
template <typename Edit>
std::string Edited(const char* text, Edit edit) {
    MString s(text);
    const int result = edit(s);
    s += '|';
    return std::to_string(result) + ":" + Str(s);
}

}  // namespace evoplug::testing

// A value case, a number case and an edit case (`s` is the text edited).
// clang-format off
#define VAL(expr, want) {#expr, ::evoplug::testing::Str(expr), want}
#define NUM(expr, want) {#expr, std::to_string(expr), std::to_string(want)}
#define EDIT(text, edit, want) \
    {#edit, ::evoplug::testing::Edited(text, [](MString& s) { return (edit); }), want}
// clang-format on
