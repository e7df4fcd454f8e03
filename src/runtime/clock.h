// Whole seconds, from the real clock or from one that a host installs.
#pragma once

#include <cstdint>

namespace evoplug::runtime {

using ClockFunction = int64_t (*)(void);

class Clock {
  public:
    // Replaces the source; null restores the real clock.
    void setSource(ClockFunction source) { source_ = source; }
    int64_t seconds() const;

  private:
    ClockFunction source_ = nullptr;
};

}  // namespace evoplug::runtime
