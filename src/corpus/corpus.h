// A registry of numbered body records that the script grows and shrinks, and
// an unrelated call counter. The script sees only the counts.
#pragma once

#include <cstdint>
#include <vector>

namespace evoplug::corpus {

struct Corpus {
    static constexpr int32_t kInitValue = 9;
    static constexpr int kBodyWords = 85;

    Corpus() : Corpus(kInitValue) {}
    explicit Corpus(int32_t init) : initValue(init), serial(init) {}

    int32_t body[kBodyWords];  // never initialised or read here
    int32_t initValue;
    int32_t serial;
};
static_assert(sizeof(Corpus) == 348, "the record's size is the script's");

// The largest whole number an EngineVar holds: both counts stop there.
constexpr int32_t kLargestCount = INT32_MAX >> 10;

class Registry {
  public:
    explicit Registry(int32_t largestCount = kLargestCount) : largestCount_(largestCount) {}

    // Adds a record numbered by the new count, in amortised constant time;
    // every other record is numbered 9. The count as an EngineVar. Unchanged
    // at the largest count, or when memory runs out.
    int32_t grow();
    // Drops the newest record, if any; the count left, as an EngineVar.
    int32_t shrink();
    // One more call counted, up to the largest count; the count as an
    // EngineVar.
    int32_t countUp();

    int32_t count() const { return static_cast<int32_t>(records_.size()); }
    const Corpus* records() const { return records_.data(); }

  private:
    int32_t largestCount_;
    std::vector<Corpus> records_;
    int32_t countupCount_ = 0;
};

}  // namespace evoplug::corpus
