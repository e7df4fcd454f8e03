// The library's own random generator.
//
// The engine's runtime generator is a linear congruential one; the library
// carries the same recurrence so that a seed gives the same draws on every
// platform, whatever the platform's rand() does.
#pragma once

#include <cstdint>

#include "runtime/clock.h"

namespace evoplug::runtime {

class Random {
  public:
    static constexpr int kMax = 32767;

    void seed(uint32_t seed) { state_ = seed; }
    // The low 32 bits of the clock's seconds, as the runtime's srand(time()).
    void reseed(const Clock& clock) { seed(static_cast<uint32_t>(clock.seconds())); }

    // 0 .. 32767: bits 16 to 30 of the next state.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }
    // rand() % n, as every random choice of the library is made; n >= 1.
    int below(int n) { return next() % n; }

    uint32_t state() const { return state_; }

  private:
    uint32_t state_ = 1;  // the runtime's state before any seeding
};

}  // namespace evoplug::runtime
