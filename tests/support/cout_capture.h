// Sends std::cout into a string while alive.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace evoplug::testing {

class CoutCapture {
  public:
    CoutCapture() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(previous_); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;

    std::string text() const { return buffer_.str(); }
    void clear() { buffer_.str(""); }

  private:
    std::ostringstream buffer_;
    std::streambuf* previous_;
};

}  // namespace evoplug::testing
