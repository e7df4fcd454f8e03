#include "panel/shown_texts.h"

#include <deque>
#include <memory>

#include "bridge/engine_records.h"

namespace evoplug::panel {
namespace {

struct Kept {
    MString text;  // compared as a chain: a character 0 inside counts
    std::unique_ptr<char[]> copy;
};

// Never destroyed: an engine string may point into it until the process ends.
std::deque<Kept>& pool() {
    static auto* kept = new std::deque<Kept>();
    return *kept;
}

}  // namespace

bridge::LastingText TextPool::handOver(const MString& text) {
    for (const Kept& kept : pool())
        if (kept.text == text) return bridge::LastingText(kept.copy.get());
    std::unique_ptr<char[]> copy(text.ToCString(0));
    if (copy == nullptr) copy.reset(new char[1]{});
    pool().push_back({text, std::move(copy)});
    return bridge::LastingText(pool().back().copy.get());
}

bridge::LastingText TextPool::handOver(const char* text) {
    for (const Kept& kept : pool())
        if (kept.text == text) return bridge::LastingText(kept.copy.get());
    return handOver(MString(text));
}

void show(bridge::StringRecord string, bridge::LastingText text) {
    if (string) string.setText(text);
}

}  // namespace evoplug::panel
