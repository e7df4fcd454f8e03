#include "genetic/ranking_listing.h"

#include <cstring>

namespace evoplug::genetic {
namespace {

constexpr size_t kLineChars = 2 * runtime::kNumberChars + 3;

bool sameRanking(const IndexedList& a, const IndexedList& b) {
    // A population is never empty, so neither is a ranking to list.
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(IndexedValue)) == 0;
}

}  // namespace

RankingListing::RankingListing() {
    // Room for the largest population: listing never allocates.
    constexpr auto most = static_cast<size_t>(kMaxIndividuals);
    ranking_.reserve(most);
    text_.reserve(most * kLineChars);
    ends_.reserve(most);
}

void RankingListing::print(runtime::Report& report, const IndexedList& ranking) {
    if (!sameRanking(ranking_, ranking)) format(ranking);
    uint32_t start = 0;
    for (const uint32_t end : ends_) {
        report.write(text_.data() + start, end - start);
        report.flush();
        start = end;
    }
}

void RankingListing::format(const IndexedList& ranking) {
    text_.clear();
    ends_.clear();
    char line[kLineChars];
    for (const IndexedValue& entry : ranking) {
        size_t n = runtime::formatFloat(entry.value, line);
        line[n++] = '\t';
        line[n++] = '\t';
        n += runtime::formatInt(entry.index, line + n);
        line[n++] = '\n';
        text_.insert(text_.end(), line, line + n);
        ends_.push_back(static_cast<uint32_t>(text_.size()));
    }
    ranking_.assign(ranking.begin(), ranking.end());
}

}  // namespace evoplug::genetic
