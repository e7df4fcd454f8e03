// Rows of script panels and strings, each offering a list of names.
//
// The player steps through a row's names with buttons; the chosen index is
// kept per row and the chosen name shown in the row's script string.
#pragma once

#include <cstdint>
#include <vector>

#include "panel/shown_texts.h"
#include "text/mstring.h"

namespace evoplug::panel {

using NameList = std::vector<MString>;
using OptionLists = std::vector<NameList>;

// Where a group finds its records: cells of the script bindings, so that a
// later InterfaceInit that rebinds a name reaches every record of the group
// alike. A cell may hold null (the script lacks the object).
struct GroupRecords {
    const bridge::StringRecord* texts;  // `rows` row strings
    const bridge::PanelRecord* slots;   // `rows` row panels
    int32_t rows;
    const bridge::PanelRecord* panel;
    const bridge::PanelRecord* radio;  // the radio marker; null when the group has none
};

struct RadioPlacement {
    int32_t x;         // the marker's horizontal position
    int32_t firstRow;  // row 0 below the panel's vertical position
    int32_t rowStep;   // between rows
};

class OptionGroup {
  public:
    // Row r offers `lists[r]`; rows beyond the lists offer nothing. Touches
    // no record until `start`.
    OptionGroup(const GroupRecords& records, OptionLists lists, RadioPlacement placement);
    OptionGroup(const OptionGroup&) = delete;
    OptionGroup& operator=(const OptionGroup&) = delete;

    // Shows "ndef" in every row and puts the marker beside row 0.
    void start();
    // Moves the row's choice one name forward (direction 1) or back (any other
    // direction), without wrapping, and shows the new name. A row without a
    // list is left alone.
    void step(int32_t row, int32_t direction);
    // Slides the group's panel and row panels out of view, or back.
    void toggle();
    // Puts the radio marker beside the row (any row, no bound).
    void placeRadio(int32_t row);

    // The chosen index of a row, 0 for a row the group does not have.
    int32_t choice(int32_t row) const;

  private:
    bool hasList(int32_t row) const;

    GroupRecords records_;
    RadioPlacement placement_;
    OptionLists lists_;
    bridge::LastingText undefined_;
    std::vector<int32_t> selected_;
    bool hidden_ = false;
};

}  // namespace evoplug::panel
