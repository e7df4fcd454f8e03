// Takes std::cout while alive: keeps what is written and counts the flushes.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace evoplug::testing {

class CoutCapture : public std::stringbuf {
  public:
    CoutCapture() : previous_(std::cout.rdbuf(this)) {}
    ~CoutCapture() override { std::cout.rdbuf(previous_); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;

    std::string text() const { return str(); }
    void clear() { str(""); }
    int flushes = 0;

  protected:
    int sync() override { return ++flushes, 0; }

  private:
    std::streambuf* previous_;
};

}  // namespace evoplug::testing
