#include "corpus/corpus.h"

#include <new>

#include "bridge/host_interface.h"

namespace evoplug::corpus {

Registry& registry() {
    static Registry shared;
    return shared;
}

int32_t grow() {
    Registry& r = registry();
    int32_t count = r.corpusCount + 1;
    // No exception may reach the engine: without memory the registry stays.
    std::unique_ptr<Corpus[]> fresh(new (std::nothrow) Corpus[count]);
    if (fresh == nullptr) return abi::fromInt(r.corpusCount);
    fresh[count - 1].serial = count;
    // Nothing reads the old records again, so they go now rather than leak.
    r.corpusArray = std::move(fresh);
    r.corpusCount = count;
    return abi::fromInt(r.corpusArray[count - 1].serial);
}

int32_t shrink() {
    Registry& r = registry();
    if (r.corpusCount > 0) --r.corpusCount;
    if (r.corpusCount == 0) r.corpusArray.reset();
    return abi::fromInt(r.corpusCount);
}

int32_t countUp() {
    Registry& r = registry();
    r.countupCount = static_cast<int32_t>(static_cast<uint32_t>(r.countupCount) + 1u);
    return abi::fromInt(r.countupCount);
}

}  // namespace evoplug::corpus
