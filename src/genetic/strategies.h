// The selection and crossbreed strategies, numbered as the control panel
// lists them; the panel and the demo program both read these tables.
#pragma once

#include <array>
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

template <typename Kind>
struct Strategy {
    Kind kind;
    const char* name;
};

inline constexpr std::array<Strategy<SelectionKind>, 6> kSelections = {{
    {SelectionKind::MinMaxSubst, "MinMaxSubst"},
    {SelectionKind::Tournament, "Tournament"},
    {SelectionKind::Neighbour, "Neighbour"},
    {SelectionKind::MinMaxCross, "MinMaxCross"},
    {SelectionKind::RouletteWheel, "RouletteWheel"},
    {SelectionKind::Excentric, "Excentric"},
}};

inline constexpr std::array<Strategy<CrossbreedKind>, 5> kCrossbreeds = {{
    {CrossbreedKind::LoveMarriage, "love marriage"},
    {CrossbreedKind::Elite, "elite"},
    {CrossbreedKind::Enrichment, "enrichment"},
    {CrossbreedKind::Plebs, "plebs"},
    {CrossbreedKind::Hedonism, "hedonism"},
}};

// Only these two kinds mate; the others leave the population as it is.
constexpr bool mates(CrossbreedKind kind) {
    return kind == CrossbreedKind::Elite || kind == CrossbreedKind::Enrichment;
}

}  // namespace evoplug::genetic
