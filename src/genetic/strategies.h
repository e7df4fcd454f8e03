// The selection and crossbreed strategies, numbered as the control panel
// lists them, with what the panel, the demo program and the generation loop
// need to know of each. The names are written here only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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

inline constexpr std::array<SelectionRow, 6> kSelections = {{
    {SelectionKind::MinMaxSubst, "MinMaxSubst"},
    {SelectionKind::Tournament, "Tournament"},
    {SelectionKind::Neighbour, "Neighbour"},
    {SelectionKind::MinMaxCross, "MinMaxCross"},
    {SelectionKind::RouletteWheel, "RouletteWheel"},
    {SelectionKind::Excentric, "Excentric"},
}};

inline constexpr std::array<CrossbreedRow, 5> kCrossbreeds = {{
    {CrossbreedKind::LoveMarriage, "love marriage", {}, 0},
    {CrossbreedKind::Elite, "elite", {Mating::Exchange, Mating::Enrich}, 2},
    {CrossbreedKind::Enrichment, "enrichment", {Mating::Enrich}, 1},
    {CrossbreedKind::Plebs, "plebs", {}, 0},
    {CrossbreedKind::Hedonism, "hedonism", {}, 0},
}};

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
