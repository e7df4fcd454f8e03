// Rows of script panels and strings, each offering a list of names.
//
// The player steps through a row's names with buttons; the chosen index is
// kept in `selected` and the chosen name shown in the row's script string.
// Groups are allocated once at start-up and never destroyed: the engine's
// strings keep pointing at texts the group handed them.
#pragma once

#include <cstdint>
#include <vector>

#include "text/mstring.h"

namespace evoplug::panel {

using NameList = std::vector<MString>;
using OptionLists = std::vector<NameList>;

class OptionGroup {
  public:
    // `texts` and `slots` are arrays of the script's records, held by
    // reference (neither the arrays nor the records are owned): an array
    // must outlive the group, and a record rebound into it later is the one
    // the group acts on. Either array, any record in them, `radio` and
    // `radioPlacement` (marker x, row 0's offset below the panel, a row
    // count nothing reads, the step between rows) may be null. Row r offers
    // `optionLists[r]`; rows beyond the lists offer nothing.
    OptionGroup(void* const* texts, int32_t textCount, void* const* slots, int32_t slotCount,
                void* panel, OptionLists optionLists, void* radio, const int32_t* radioPlacement);
    OptionGroup(const OptionGroup&) = delete;
    OptionGroup& operator=(const OptionGroup&) = delete;

    // Moves the row's choice one name forward (direction 1) or back (any other
    // direction), without wrapping, and shows the new name. A row without a
    // list is left alone.
    void Step(int32_t row, int32_t direction);
    // Slides the group's panel and row panels out of view, or back.
    void Toggle();
    // Puts the radio marker beside the row (any row, no bound).
    void PlaceRadio(int32_t row);

    // The chosen index of a row, 0 for a row the group does not have.
    int32_t choice(int32_t row) const;

    void* const* texts;
    int32_t textCount;
    void* const* slots;
    int32_t slotCount;
    std::vector<int32_t> selected;
    void* panel;
    void* radio = nullptr;
    int32_t radioPlacement[4] = {0, 0, 0, 0};
    bool hidden = false;
    int32_t radioRow = 0;
    OptionLists optionLists;

  private:
    bool hasList(int32_t row) const;
    void* text(int32_t row) const;
};

}  // namespace evoplug::panel
