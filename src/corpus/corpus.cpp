#include "corpus/corpus.h"

#include "bridge/host_interface.h"

namespace evoplug::corpus {

int32_t Registry::grow() {
    if (count() < largestCount_) {
        records_.emplace_back();
        // Only the newest record carries the count.
        const int32_t n = count();
        records_.back().serial = n;
        if (n > 1) records_[static_cast<size_t>(n - 2)].serial = Corpus::kInitValue;
    }
    return abi::fromInt(count());
}

int32_t Registry::shrink() {
    if (!records_.empty()) records_.pop_back();
    // An empty registry holds no storage, however large it was.
    if (records_.empty()) std::vector<Corpus>().swap(records_);
    return abi::fromInt(count());
}

int32_t Registry::countUp() {
    if (countupCount_ < largestCount_) ++countupCount_;
    return abi::fromInt(countupCount_);
}

}  // namespace evoplug::corpus
