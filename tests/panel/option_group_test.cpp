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
// The fuller stepping rules are exercised through the exports end to end.
class OptionGroupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int r = 0; r < 3; ++r) {
            texts[r] = engine.defineString("text" + std::to_string(r), "before");
            slots[r] = engine.definePanel("slot" + std::to_string(r));
            slots[r][kPosX] = fromInt(10 + r);
            slots[r][kPosY] = fromInt(40 + r);
        }
        panelRecord = engine.definePanel("panel");
        panelRecord[kPosX] = fromInt(100);
        panelRecord[kPosY] = fromInt(200);
        radio = engine.definePanel("radio");
        lists = {{"a", "b", "c"}, {"x", "y"}};
    }

    OptionGroup make(int32_t textCount = 3, void* marker = nullptr, void* panel = nullptr) {
        for (int r = 0; r < 3; ++r) {
            textArgs[r] = texts[r];
            slotArgs[r] = slots[r];
        }
        return OptionGroup(textArgs, textCount, slotArgs, 3, panel ? panel : panelRecord, lists,
                           marker, placement);
    }
    std::string shown(int row) { return engine.text("text" + std::to_string(row)); }

    host::Engine engine;
    abi::Word* texts[3];
    int32_t* slots[3];
    void* textArgs[3];
    void* slotArgs[3];
    int32_t* panelRecord;
    int32_t* radio;
    OptionLists lists;
    const int32_t placement[4] = {386, 13, 3, 20};
};

TEST_F(OptionGroupTest, KeepsItsOwnListsAndHandsOutFreshTexts) {
    OptionGroup group = make();
    EXPECT_EQ(shown(2), "ndef");
    lists[0].clear();
    group.Step(0, 1);
    const char* first = bridge::stringText(texts[0]);
    group.Step(0, 1);
    const char* second = bridge::stringText(texts[0]);
    EXPECT_STREQ(first, "b");
    EXPECT_STREQ(second, "c");
    EXPECT_EQ(group.choice(0), 2);
    // Neither the group's storage nor the earlier text is reused.
    group.optionLists[0][2] = "zzz";
    EXPECT_STREQ(second, "c");
    EXPECT_STREQ(first, "b");
    for (int32_t row : {2, 3, -1, INT_MIN, INT_MAX}) {
        group.Step(row, 1);
        EXPECT_EQ(group.choice(row), 0);
    }
    EXPECT_EQ(group.selected, std::vector<int32_t>({2, 0, 0}));
}

TEST_F(OptionGroupTest, MissingRecordsAreSkippedButTheChoiceStillMoves) {
    // Two texts for three rows, the first of them missing; row panel 1 missing.
    texts[0] = nullptr;
    slots[1] = nullptr;
    OptionGroup group = make(2);
    EXPECT_EQ(shown(1), "ndef");
    EXPECT_EQ(shown(2), "before");
    group.Step(0, 1);
    EXPECT_EQ(group.choice(0), 1);
    group.Toggle();
    EXPECT_EQ(slots[2][kPosX], fromInt(12 - 2000));

    OptionGroup bare(nullptr, 5, nullptr, 2, nullptr, lists, nullptr, nullptr);
    bare.Step(1, 1);
    bare.Toggle();
    bare.PlaceRadio(1);
    EXPECT_EQ(bare.choice(1), 1);
    EXPECT_TRUE(bare.hidden);
}

TEST_F(OptionGroupTest, ToggleSlidesPanelAndRowPanelsOutAndBackExactly) {
    OptionGroup group = make();
    group.Toggle();
    EXPECT_TRUE(group.hidden);
    EXPECT_EQ(panelRecord[kPosX], fromInt(100 - 2000));
    EXPECT_EQ(panelRecord[kPosY], fromInt(200));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(slots[r][kPosX], fromInt(10 + r - 2000));
        EXPECT_EQ(slots[r][kPosY], fromInt(40 + r));
    }
    group.Toggle();
    EXPECT_FALSE(group.hidden);
    EXPECT_EQ(panelRecord[kPosX], fromInt(100));
    for (int r = 0; r < 3; ++r) EXPECT_EQ(slots[r][kPosX], fromInt(10 + r));
}

TEST_F(OptionGroupTest, RadioMarkerNeedsBothMarkerAndPanel) {
    OptionGroup group = make(3, radio);
    EXPECT_EQ(radio[kPosX], fromInt(386));
    EXPECT_EQ(radio[kPosY], fromInt(200 + 13));
    group.PlaceRadio(-1);  // no bound: above the first row
    EXPECT_EQ(radio[kPosY], fromInt(200 - 7));

    OptionGroup noMarker = make();
    noMarker.PlaceRadio(1);
    EXPECT_EQ(noMarker.radioRow, 1);
    EXPECT_EQ(radio[kPosY], fromInt(200 - 7));

    int32_t* otherMarker = engine.definePanel("other");
    OptionGroup noPanel(textArgs, 3, slotArgs, 3, nullptr, lists, otherMarker, placement);
    noPanel.PlaceRadio(1);
    EXPECT_EQ(otherMarker[kPosX], 0);
    EXPECT_EQ(otherMarker[kPosY], 0);
}

// The controller panel slides only while a population exists.
TEST_F(OptionGroupTest, ToggleControlPanelWaitsForAPopulation) {
    OptionGroup group = make();
    OptionGroup* saved = controllerGroup;
    controllerGroup = &group;
    creationCount = 0;
    toggleControlPanel();
    EXPECT_FALSE(group.hidden);
    creationCount = 1;
    toggleControlPanel();
    EXPECT_TRUE(group.hidden);
    EXPECT_EQ(slots[2][kPosX], fromInt(12 - 2000));
    creationCount = 0;
    controllerGroup = nullptr;
    toggleControlPanel();  // no group yet: nothing to do
    controllerGroup = saved;
}

}  // namespace
}  // namespace evoplug::panel
