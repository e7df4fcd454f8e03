#include "panel/option_group.h"

#include "bridge/engine_records.h"
#include "panel/panel_records.h"

namespace evoplug::panel {
namespace {

// Far enough sideways to leave any screen.
constexpr int32_t kHideShift = abi::fromInt(2000);

// Every row starts with this text until a name is chosen; the engine keeps
// pointing at it, so it must outlive every group.
constexpr const char* kUndefined = "ndef";

int32_t nonNegative(int32_t count) { return count < 0 ? 0 : count; }

void shift(int32_t& position, int32_t by) { position = wrappingAdd(position, by); }

}  // namespace

OptionGroup::OptionGroup(void* const* rowTexts, int32_t rowTextCount, void* const* rowPanels,
                         int32_t rowCount, void* groupPanel, OptionLists lists, void* marker,
                         const int32_t* placement)
    : texts(rowTexts),
      textCount(rowTexts != nullptr ? nonNegative(rowTextCount) : 0),
      slots(rowPanels),
      slotCount(nonNegative(rowCount)),
      selected(static_cast<size_t>(slotCount), 0),
      panel(groupPanel),
      optionLists(lists) {
    // Without row panels the rows still exist; they just have nothing to move.
    for (int32_t r = 0; r < slotCount; ++r) {
        if (void* shown = text(r)) bridge::setStringText(shown, kUndefined);
    }
    if (placement != nullptr) {
        for (int i = 0; i < 4; ++i) radioPlacement[i] = placement[i];
    }
    if (marker != nullptr) {
        radio = marker;
        PlaceRadio(0);
    }
}

void* OptionGroup::text(int32_t row) const {
    return row >= 0 && row < textCount ? texts[row] : nullptr;
}

bool OptionGroup::hasList(int32_t row) const {
    return row >= 0 && row < slotCount && static_cast<size_t>(row) < optionLists.size();
}

void OptionGroup::Step(int32_t row, int32_t direction) {
    if (!hasList(row)) return;
    const NameList& names = optionLists[static_cast<size_t>(row)];
    int32_t& index = selected[static_cast<size_t>(row)];
    if (direction == 1) {
        if (static_cast<size_t>(index) + 1 >= names.size()) return;
        ++index;
    } else {
        if (index <= 0) return;
        --index;
    }
    if (void* shown = text(row))
        bridge::setStringText(shown, shownCopy(names[static_cast<size_t>(index)]));
}

void OptionGroup::Toggle() {
    int32_t by = hidden ? kHideShift : -kHideShift;
    if (panel != nullptr) shift(bridge::word(panel, abi::panel::kPosX), by);
    for (int32_t r = 0; slots != nullptr && r < slotCount; ++r) {
        if (slots[r] != nullptr) shift(bridge::word(slots[r], abi::panel::kPosX), by);
    }
    hidden = !hidden;
}

void OptionGroup::PlaceRadio(int32_t row) {
    radioRow = row;
    if (radio == nullptr || panel == nullptr) return;
    // Any row is accepted; unsigned arithmetic lets an absurd row wrap.
    uint32_t offset = static_cast<uint32_t>(radioPlacement[1]) +
                      static_cast<uint32_t>(row) * static_cast<uint32_t>(radioPlacement[3]);
    bridge::word(radio, abi::panel::kPosX) = abi::fromInt(radioPlacement[0]);
    bridge::word(radio, abi::panel::kPosY) = wrappingAdd(abi::fromInt(static_cast<int32_t>(offset)),
                                                         bridge::word(panel, abi::panel::kPosY));
}

int32_t OptionGroup::choice(int32_t row) const {
    if (row < 0 || row >= slotCount) return 0;
    return selected[static_cast<size_t>(row)];
}

}  // namespace evoplug::panel
