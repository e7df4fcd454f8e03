// Helpers shared by the text tests.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

#include "text/mstring.h"

namespace evoplug::testing {

inline std::string Str(const MString& s) {
    std::ostringstream out;
    out << s;
    return out.str();
}

// Redirects std::cout into a string for the lifetime of the object.
class CoutCapture {
  public:
    CoutCapture() : old_(std::cout.rdbuf(out_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(old_); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;
    std::string str() const { return out_.str(); }

  private:
    std::ostringstream out_;
    std::streambuf* old_;
};

// Formats a pointer the way the dumps do.
inline std::string Ptr(const void* p) {
    std::ostringstream out;
    out << p;
    return out.str();
}

}  // namespace evoplug::testing
