// The selection and crossbreed strategies, numbered as the control panel
// lists them, with what the panel, the demo program and the generation loop
// need to know of each; the names and numbers come from the public header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "evoplug.h"

namespace evoplug::genetic {

// Values outside the lists are representable: such a population runs no
// selection (the header is still written) and no crossbreeding.
enum class SelectionKind : int32_t {
    MinMaxSubst,
    Tournament,
    Neighbour,
    MinMaxCross,
    RouletteWheel,
    Excentric,
};

enum class CrossbreedKind : int32_t {
    LoveMarriage,
    Elite,
    Enrichment,
    Plebs,
    Hedonism,
};

// How a mating pass treats each pair it takes from the ranking.
enum class Mating : int32_t { Exchange = 1, Enrich = 2 };

struct SelectionRow {
    SelectionKind kind;
    const char* name;
};

// A crossbreed strategy runs its mating passes in order, once per generation.
struct CrossbreedRow {
    CrossbreedKind kind;
    const char* name;
    std::array<Mating, 2> passes;
    size_t passCount;
};

// What each strategy's passes do; how many it runs, the public list says.
inline constexpr std::array<Mating, 2> kLoveMarriagePasses = {};
inline constexpr std::array<Mating, 2> kElitePasses = {Mating::Exchange, Mating::Enrich};
inline constexpr std::array<Mating, 2> kEnrichmentPasses = {Mating::Enrich};
inline constexpr std::array<Mating, 2> kPlebsPasses = {};
inline constexpr std::array<Mating, 2> kHedonismPasses = {};

// Names, numbers and pass counts come from the public lists.
#define EVOPLUG_SELECTION_ROW(number, id, name) {SelectionKind::id, name},
#define EVOPLUG_CROSSBREED_ROW(number, id, name, passes) \
    {CrossbreedKind::id, name, k##id##Passes, passes},
inline constexpr std::array<SelectionRow, EVOPLUG_SELECTION_COUNT> kSelections = {
    {EVOPLUG_SELECTIONS(EVOPLUG_SELECTION_ROW)}};
inline constexpr std::array<CrossbreedRow, EVOPLUG_CROSSBREED_COUNT> kCrossbreeds = {
    {EVOPLUG_CROSSBREEDS(EVOPLUG_CROSSBREED_ROW)}};
#undef EVOPLUG_SELECTION_ROW
#undef EVOPLUG_CROSSBREED_ROW
#define EVOPLUG_SELECTION_NUMBER(number, id, name) \
    static_assert(static_cast<int32_t>(SelectionKind::id) == number, #id);
#define EVOPLUG_CROSSBREED_NUMBER(number, id, name, passes) \
    static_assert(static_cast<int32_t>(CrossbreedKind::id) == number, #id);
EVOPLUG_SELECTIONS(EVOPLUG_SELECTION_NUMBER)
EVOPLUG_CROSSBREEDS(EVOPLUG_CROSSBREED_NUMBER)
#undef EVOPLUG_SELECTION_NUMBER
#undef EVOPLUG_CROSSBREED_NUMBER

// The row of a kind; null for a kind outside the list.
template <typename Row, size_t N, typename Kind>
constexpr const Row* rowOf(const std::array<Row, N>& table, Kind kind) {
    for (const Row& row : table)
        if (row.kind == kind) return &row;
    return nullptr;
}

constexpr size_t passesPerGeneration(CrossbreedKind kind) {
    const CrossbreedRow* row = rowOf(kCrossbreeds, kind);
    return row != nullptr ? row->passCount : 0;
}

constexpr bool mates(CrossbreedKind kind) { return passesPerGeneration(kind) > 0; }

}  // namespace evoplug::genetic
