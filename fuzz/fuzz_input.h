// The fuzzers' view of an input: whole numbers taken from its end, in the
// same way libFuzzer's own data provider takes them, so a committed corpus
// means the same to both. Needs no fuzzing runtime: CTest replays the corpus
// with any compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t remaining_bytes() const { return size_; }

    // min .. max from as many trailing bytes as the range needs (min when
    // the input is used up).
    template <typename T>
    T ConsumeIntegralInRange(T min, T max) {
        const uint64_t range = static_cast<uint64_t>(max) - static_cast<uint64_t>(min);
        uint64_t result = 0;
        for (size_t bits = 0; bits < 8 * sizeof(T) && (range >> bits) > 0 && size_ != 0; bits += 8)
            result = (result << 8) | data_[--size_];
        if (range != std::numeric_limits<uint64_t>::max()) result %= range + 1;
        return static_cast<T>(static_cast<uint64_t>(min) + result);
    }
    template <typename T>
    T ConsumeIntegral() {
        return ConsumeIntegralInRange(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    }
    bool ConsumeBool() { return (ConsumeIntegral<uint8_t>() & 1) != 0; }
    template <typename T, size_t N>
    T PickValueInArray(const T (&values)[N]) {
        return values[ConsumeIntegralInRange<size_t>(0, N - 1)];
    }

  private:
    const uint8_t* data_;
    size_t size_;
};
