#include "runtime/clock.h"

#include <ctime>

namespace evoplug::runtime {

int64_t Clock::seconds() const {
    if (source_ != nullptr) return source_();
    return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace evoplug::runtime
