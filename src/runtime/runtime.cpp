#include <ctime>

#include "runtime/clock.h"
#include "runtime/random.h"

namespace evoplug::runtime {
namespace {
RandomGenerator sharedGenerator;
ClockFunction installedClock = nullptr;
}  // namespace

RandomGenerator& generator() { return sharedGenerator; }

void setClock(ClockFunction clock) { installedClock = clock; }

int64_t nowSeconds() {
    if (installedClock != nullptr) return installedClock();
    return static_cast<int64_t>(std::time(nullptr));
}

void seedFromClock() { sharedGenerator.seed(static_cast<uint32_t>(nowSeconds())); }

}  // namespace evoplug::runtime
