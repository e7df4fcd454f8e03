#include "corpus/corpus.h"

#include "bridge/host_interface.h"

namespace evoplug::corpus {

int32_t Registry::grow() {
    const int32_t count = corpusCount_ + 1;
    std::unique_ptr<Corpus[]> fresh(new Corpus[static_cast<size_t>(count)]);
    fresh[static_cast<size_t>(count - 1)].serial = count;
    // Nothing reads the old records again, so they go now rather than leak.
    corpusArray_ = std::move(fresh);
    corpusCount_ = count;
    return abi::fromInt(count);
}

int32_t Registry::shrink() {
    if (corpusCount_ > 0) --corpusCount_;
    if (corpusCount_ == 0) corpusArray_.reset();
    return abi::fromInt(corpusCount_);
}

int32_t Registry::countUp() {
    countupCount_ = static_cast<int32_t>(static_cast<uint32_t>(countupCount_) + 1u);
    return abi::fromInt(countupCount_);
}

}  // namespace evoplug::corpus
