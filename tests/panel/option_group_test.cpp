// Option groups on records the end-to-end tests cannot give: absent arrays,
// rows far outside the group, and the toggle that needs a population.
#include "panel/option_group.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "bridge/engine_records.h"
#include "engine.h"
#include "panel/control_panel.h"

namespace evoplug::panel {
namespace {

using abi::fromInt;
using abi::panel::kPosX;
using abi::panel::kPosY;

// Three rows on one panel: row 0 offers three names, row 1 two, row 2 none.
class OptionGroupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int r = 0; r < 3; ++r) {
            texts[r] = engine.defineString("text" + std::to_string(r), "before");
            int32_t* slot = engine.definePanel("slot" + std::to_string(r));
            slot[kPosX] = fromInt(10 + r);
            slot[kPosY] = fromInt(40 + r);
            slots[r] = slot;
        }
        panel[kPosX] = fromInt(100);
        panel[kPosY] = fromInt(200);
    }
    OptionGroup make(int32_t textCount, void* marker = nullptr) {
        return OptionGroup(texts, textCount, slots, 3, panel, {{"a", "b", "c"}, {"x", "y"}}, marker,
                           placement);
    }
    std::string shown(int row) { return engine.text("text" + std::to_string(row)); }

    host::Engine engine;
    void* texts[3];
    void* slots[3];
    int32_t* panel = engine.definePanel("panel");
    int32_t* radio = engine.definePanel("radio");
    const int32_t placement[4] = {386, 13, 3, 20};
};

TEST_F(OptionGroupTest, StepsHandOutFreshTextsAndIgnoreRowsOutsideTheGroup) {
    OptionGroup group = make(3);
    EXPECT_EQ(shown(0) + shown(2), "ndefndef");
    group.Step(0, 1);
    const char* first = bridge::stringText(texts[0]);
    group.Step(0, 1);
    group.optionLists[0][2] = "zzz";  // neither the group's storage nor an earlier text is reused
    EXPECT_STREQ(first, "b");
    EXPECT_EQ(shown(0), "c");
    for (int32_t row : {2, 3, -1, INT_MIN, INT_MAX}) group.Step(row, 1);
    EXPECT_EQ(group.selected, std::vector<int32_t>({2, 0, 0}));
    EXPECT_EQ(group.choice(INT_MIN) + group.choice(INT_MAX), 0);
}

TEST_F(OptionGroupTest, RecordsReboundIntoTheArraysAreTheOnesActedOn) {
    OptionGroup group = make(3);
    texts[0] = engine.defineString("text0", "redefined");
    int32_t* movedSlot = engine.definePanel("slot1");
    slots[1] = movedSlot;
    group.Step(0, 1);
    group.Toggle();
    EXPECT_EQ(shown(0), "b");
    EXPECT_EQ(movedSlot[kPosX], fromInt(-2000));
}

TEST_F(OptionGroupTest, MissingRecordsAreSkippedButTheChoiceStillMoves) {
    // Two texts for three rows, the first of them missing; row panel 1 missing.
    texts[0] = nullptr;
    slots[1] = nullptr;
    OptionGroup group = make(2);
    EXPECT_EQ(shown(1) + "|" + shown(2), "ndef|before");
    group.Step(0, 1);
    EXPECT_EQ(group.choice(0), 1);
    group.Toggle();
    EXPECT_EQ(static_cast<int32_t*>(slots[2])[kPosX], fromInt(12 - 2000));

    OptionGroup bare(nullptr, 5, nullptr, 2, nullptr, {{"a", "b"}, {"x", "y"}}, nullptr, nullptr);
    bare.Step(1, 1);
    bare.Toggle();
    bare.PlaceRadio(1);
    EXPECT_EQ(bare.choice(1), 1);
    EXPECT_TRUE(bare.hidden);
}

TEST_F(OptionGroupTest, ToggleSlidesPanelAndRowPanelsOutAndBackExactly) {
    OptionGroup group = make(3, radio);
    auto xs = [&] {
        std::vector<int32_t> x = {panel[kPosX], panel[kPosY]};
        for (void* slot : slots) x.push_back(static_cast<int32_t*>(slot)[kPosX]);
        return x;
    };
    const std::vector<int32_t> shownAt = xs();
    group.Toggle();
    EXPECT_TRUE(group.hidden);
    EXPECT_EQ(xs(), std::vector<int32_t>({fromInt(-1900), fromInt(200), fromInt(-1990),
                                          fromInt(-1989), fromInt(-1988)}));
    group.Toggle();
    EXPECT_FALSE(group.hidden);
    EXPECT_EQ(xs(), shownAt);
    group.PlaceRadio(-1);  // any row: above the first one
    EXPECT_EQ(radio[kPosY], fromInt(200 - 7));
}

// The controller panel slides only while a population exists.
TEST_F(OptionGroupTest, ToggleControlPanelWaitsForAPopulation) {
    OptionGroup group = make(3);
    OptionGroup* saved = controllerGroup;
    controllerGroup = &group;
    for (int32_t count : {0, 2, 1}) {
        creationCount = count;
        toggleControlPanel();
        EXPECT_EQ(group.hidden, count == 1) << count;
    }
    controllerGroup = nullptr;
    toggleControlPanel();  // no group yet: nothing to do
    creationCount = 0;
    controllerGroup = saved;
}

}  // namespace
}  // namespace evoplug::panel
