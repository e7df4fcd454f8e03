// The library's own random generator and its clock seeding.
//
// The engine's runtime generator is a linear congruential one; the library
// carries the same recurrence so that a seed gives the same draws on every
// platform, whatever the platform's rand() does.
#pragma once

#include <cstdint>

namespace evoplug::runtime {

class RandomGenerator {
  public:
    static constexpr int kMax = 32767;

    void seed(uint32_t seed) { state_ = seed; }
    // 0 .. 32767: bits 16 to 30 of the next state.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }
    uint32_t state() const { return state_; }

  private:
    uint32_t state_ = 1;  // the runtime's state before any seeding
};

// The one generator shared by the whole library.
RandomGenerator& generator();

// A draw of the shared generator: 0 .. 32767.
inline int draw() { return generator().next(); }
// rand() % n, as every random choice of the library is made; n >= 1.
inline int drawBelow(int n) { return draw() % n; }
// Seeds the shared generator with the low 32 bits of the clock's seconds.
void seedFromClock();

}  // namespace evoplug::runtime
