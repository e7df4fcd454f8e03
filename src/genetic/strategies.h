// The selection and crossbreed strategies, numbered as the control panel
// lists them; the panel and the demo program both read these tables.
#pragma once

#include <array>
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

template <typename Kind>
struct Strategy {
    Kind kind;
    const char* name;
};

// Names and numbers come from the public lists.
#define EVOPLUG_SELECTION_ROW(number, id, name) {SelectionKind::id, name},
#define EVOPLUG_CROSSBREED_ROW(number, id, name, passes) {CrossbreedKind::id, name},
inline constexpr std::array<Strategy<SelectionKind>, EVOPLUG_SELECTION_COUNT> kSelections = {
    {EVOPLUG_SELECTIONS(EVOPLUG_SELECTION_ROW)}};
inline constexpr std::array<Strategy<CrossbreedKind>, EVOPLUG_CROSSBREED_COUNT> kCrossbreeds = {
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

// Only these two kinds mate; the others leave the population as it is.
constexpr bool mates(CrossbreedKind kind) {
    return kind == CrossbreedKind::Elite || kind == CrossbreedKind::Enrichment;
}

}  // namespace evoplug::genetic
