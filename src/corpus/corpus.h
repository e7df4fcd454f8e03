// A registry of numbered body records that the script grows and shrinks, and
// an unrelated call counter. The script sees only the counts.
#pragma once

#include <cstdint>
#include <memory>

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

class Registry {
  public:
    // Replaces the array by one record longer, the last numbered by the new
    // count; that count as an EngineVar. Unchanged when memory runs out.
    int32_t grow();
    // Drops the newest record, if any; the count left, as an EngineVar.
    int32_t shrink();
    // One more call counted; the count as an EngineVar.
    int32_t countUp();

    int32_t count() const { return corpusCount_; }
    const Corpus* records() const { return corpusArray_.get(); }

  private:
    std::unique_ptr<Corpus[]> corpusArray_;
    int32_t corpusCount_ = 0;
    int32_t countupCount_ = 0;
};

}  // namespace evoplug::corpus
