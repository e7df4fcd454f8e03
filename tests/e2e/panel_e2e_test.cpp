// The control panel exports, from the level's start-up on.
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

using abi::fromInt;
using abi::panel::kPosX;
using abi::panel::kPosY;
using Names = std::vector<std::string>;

const std::string kGreeting = "Hallo, Sch\xF6nheit";

class PanelTest : public PluginTest {
  protected:
    // Steps a row `times` times; what its text showed after each step.
    Names step(bool settings, int32_t row, int32_t direction, int times) {
        Names shown;
        for (int i = 0; i < times; ++i) {
            (settings ? call().SelectCommand : call().ControlPanelCommand)(fromInt(row),
                                                                           fromInt(direction));
            shown.push_back(engine.text(!settings  ? "Str" + std::to_string(row)
                                        : row == 0 ? "selStr"
                                                   : "crossStr"));
        }
        return shown;
    }
    Names select(int32_t row, int32_t direction, int times = 1) {
        return step(true, row, direction, times);
    }
    Names control(int32_t row, int32_t direction, int times = 1) {
        return step(false, row, direction, times);
    }
    int32_t* radio() { return engine.panel("RadioButton"); }
};

TEST_F(PanelTest, StartUpShowsNdefAndTheSettingsRowsStepToEveryNameAndBackWithoutWrapping) {
    startUp();
    for (const char* name : {"Str0", "Str1", "Str8", "selStr", "crossStr"})
        EXPECT_EQ(engine.text(name), "ndef") << name;
    EXPECT_EQ(radio()[kPosX], fromInt(386));
    EXPECT_EQ(radio()[kPosY], fromInt(200 + 13));
    EXPECT_EQ(select(0, 1, 6), Names({"Tournament", "Neighbour", "MinMaxCross", "RouletteWheel",
                                      "Excentric", "Excentric"}));
    EXPECT_EQ(select(0, -1, 6), Names({"RouletteWheel", "MinMaxCross", "Neighbour", "Tournament",
                                       "MinMaxSubst", "MinMaxSubst"}));
    EXPECT_EQ(select(1, 1, 5), Names({"elite", "enrichment", "plebs", "hedonism", "hedonism"}));
    EXPECT_EQ(select(1, -1, 5),
              Names({"plebs", "enrichment", "elite", "love marriage", "love marriage"}));
    EXPECT_EQ(select(1, 1), Names({"elite"}));  // still at entry 0
    EXPECT_EQ(engine.text("Str0"), "ndef");
}

TEST_F(PanelTest, EveryDirectionButOneStepsBackAndTheMarkerMovesAlone) {
    startUp();
    engine.panel("EvolutionSettings")[kPosY] = fromInt(321);
    EXPECT_EQ(call().SelectRadio(fromInt(2)), 0);
    EXPECT_EQ(radio()[kPosX], fromInt(386));
    EXPECT_EQ(radio()[kPosY], fromInt(321 + 53));
    select(0, 1, 4);
    Names shown = select(0, 0);
    for (int32_t direction : {-1, 2}) shown.push_back(select(0, direction)[0]);
    call().SelectCommand(0, fromInt(1) + 512);  // only the whole part counts: 1.5 is forward
    shown.push_back(engine.text("selStr"));
    EXPECT_EQ(shown, Names({"MinMaxCross", "Neighbour", "Tournament", "Neighbour"}));
}

TEST_F(PanelTest, ControllerOffersTheRenamedGeneLabelsInRowZeroOnly) {
    startUp();
    EXPECT_EQ(control(0, 1, 4), Names({"Alpha", "Ambient", "Movement", "Movement"}));
    EXPECT_EQ(control(0, -1, 4), Names({"Ambient", "Alpha", kGreeting, kGreeting}));
    EXPECT_EQ(control(1, 1), Names({"ndef"}));
}

TEST_F(PanelTest, SecondInitPopulationBuildsFreshGroupsOverTheGrownLists) {
    startUp();
    select(0, 1);
    select(1, 1);
    control(0, 1);
    EXPECT_EQ(call().init_population(), 0);
    for (const char* name : {"Str0", "selStr", "crossStr"}) EXPECT_EQ(engine.text(name), "ndef");
    // The settings group still offers the first call's six names.
    EXPECT_EQ(select(0, 1, 8).back(), "Excentric");
    // Row 1 of the controller lists the eight gene names; its first is
    // renamed apart from row 0's.
    EXPECT_EQ(control(1, 1, 8), Names({"Alpha", "Ambient", "Movement", "ColorR", "Alpha", "Ambient",
                                       "Movement", "Movement"}));
    EXPECT_EQ(control(1, -1, 8).back(), "Was anderes");
    EXPECT_EQ(control(0, 1), Names({"Alpha"}));
    EXPECT_EQ(control(0, -1), Names({kGreeting}));
    EXPECT_EQ(control(2, 1), Names({"ndef"}));
}

// Before A5_DLLAPI and before init_population: no change, no crash.
TEST_F(PanelTest, ButtonsBeforeTheGroupsExistChangeNothing) {
    auto state = [&] {
        std::vector<int32_t> words;
        for (const char* name :
             {"Controller", "EvolutionSettings", "RadioButton", "Slot0", "DialogPanel"})
            words.insert(words.end(), engine.panel(name), engine.panel(name) + abi::panel::kWords);
        for (const char* name : {"Str0", "selStr", "crossStr", "FeedbackText"})
            words.push_back(engine.text(name).size());
        return words;
    };
    const std::vector<int32_t> before = state();
    EXPECT_EQ(call().DragPanel() | call().MoveMyPanel() | call().ReleaseMyPanel() |
                  call().PositionPanel(fromInt(1)),
              0);
    for (bool bound : {false, true}) {
        if (bound) bind();
        for (int32_t row : {0, 1, 2}) {
            select(row, 1), select(row, -1), control(row, 1), control(row, -1);
            EXPECT_EQ(call().SelectRadio(fromInt(row)), 0);
        }
        EXPECT_EQ(call().ToggleControlPanel(), 0);
        EXPECT_EQ(state(), before) << bound;
    }
    EXPECT_EQ(engine.calls().size(), 0u);
}

TEST_F(PanelTest, MissingScriptObjectsAreSkipped) {
    for (const char* name : {"selStr", "Str0", "EvolutionSettings"}) engine.remove(name);
    radio()[kPosY] = fromInt(8);
    startUp();
    EXPECT_EQ(engine.text("crossStr") + engine.text("Str1"), "ndefndef");
    call().SelectCommand(0, fromInt(1));
    call().ControlPanelCommand(0, fromInt(1));
    EXPECT_EQ(select(1, 1), Names({"elite"}));
    call().SelectRadio(fromInt(2));  // without its panel the marker has no place to go
    EXPECT_EQ(radio()[kPosX], 0);
    EXPECT_EQ(radio()[kPosY], fromInt(8));
}

}  // namespace
}  // namespace evoplug::e2e
