#include "panel/option_group.h"

#include "bridge/engine_records.h"

namespace evoplug::panel {
namespace {

// Far enough sideways to leave any screen.
constexpr int32_t kHideShift = abi::fromInt(2000);

// Every row starts with this text until a name is chosen.
constexpr const char* kUndefined = "ndef";

void shift(bridge::PanelRecord panel, int32_t by) {
    if (panel) panel.x() = bridge::wrappingAdd(panel.x(), by);
}

}  // namespace

OptionGroup::OptionGroup(const GroupRecords& records, OptionLists lists, RadioPlacement placement)
    : records_(records),
      placement_(placement),
      lists_(std::move(lists)),
      undefined_(TextPool::handOver(kUndefined)),
      selected_(static_cast<size_t>(records.rows < 0 ? 0 : records.rows), 0) {}

void OptionGroup::start() {
    for (int32_t r = 0; r < records_.rows; ++r) show(records_.texts[r], undefined_);
    if (records_.radio != nullptr) placeRadio(0);
}

bool OptionGroup::hasList(int32_t row) const {
    return row >= 0 && row < records_.rows && static_cast<size_t>(row) < lists_.size();
}

void OptionGroup::step(int32_t row, int32_t direction) {
    if (!hasList(row)) return;
    const NameList& names = lists_[static_cast<size_t>(row)];
    int32_t index = selected_[static_cast<size_t>(row)];
    if (direction == 1) {
        if (static_cast<size_t>(index) + 1 >= names.size()) return;
        ++index;
    } else {
        if (index <= 0) return;
        --index;
    }
    // The copy first: without memory for it, nothing changes.
    const bridge::LastingText text = TextPool::handOver(names[static_cast<size_t>(index)]);
    selected_[static_cast<size_t>(row)] = index;
    show(records_.texts[row], text);
}

void OptionGroup::toggle() {
    const int32_t by = hidden_ ? kHideShift : -kHideShift;
    shift(*records_.panel, by);
    for (int32_t r = 0; r < records_.rows; ++r) shift(records_.slots[r], by);
    hidden_ = !hidden_;
}

void OptionGroup::placeRadio(int32_t row) {
    const bridge::PanelRecord radio =
        records_.radio != nullptr ? *records_.radio : bridge::PanelRecord();
    const bridge::PanelRecord panel = *records_.panel;
    if (!radio || !panel) return;
    // Any row is accepted; unsigned arithmetic lets an absurd row wrap.
    const uint32_t offset = static_cast<uint32_t>(placement_.firstRow) +
                            static_cast<uint32_t>(row) * static_cast<uint32_t>(placement_.rowStep);
    radio.x() = abi::fromInt(placement_.x);
    radio.y() = bridge::wrappingAdd(abi::fromInt(static_cast<int32_t>(offset)), panel.y());
}

int32_t OptionGroup::choice(int32_t row) const {
    if (row < 0 || row >= records_.rows) return 0;
    return selected_[static_cast<size_t>(row)];
}

}  // namespace evoplug::panel
