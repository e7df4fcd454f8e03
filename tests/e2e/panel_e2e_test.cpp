#include <map>
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

using abi::fromInt;
using abi::panel::kPosX;
using abi::panel::kPosY;

const std::string kGreeting =
    "Hallo, Sch\xF6"
    "nheit";

const std::vector<std::string> kSelection = {"MinMaxSubst", "Tournament",    "Neighbour",
                                             "MinMaxCross", "RouletteWheel", "Excentric"};
const std::vector<std::string> kCrossbreed = {"love marriage", "elite", "enrichment", "plebs",
                                              "hedonism"};

std::vector<std::string> rowNames(const char* prefix) {
    std::vector<std::string> names;
    for (int i = 0; i < 9; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

class PanelTest : public PluginTest {
  protected:
    // The level's start-up, up to what this library provides.
    void startPanel() {
        if (call().init_Ortavia != nullptr) return startUp();
        call().A5_DLLAPI(engine.interfaceRecord());
        call().InterfaceInit();
        call().WDL_syntax();
        call().init_population();
    }

    // Every panel word and string text of the level's control panel.
    struct Snapshot {
        std::map<std::string, std::vector<int32_t>> panels;
        std::map<std::string, std::string> texts;
        bool operator==(const Snapshot& o) const { return panels == o.panels && texts == o.texts; }
    };
    Snapshot snapshot() {
        Snapshot s;
        std::vector<std::string> panels = rowNames("Slot");
        panels.insert(panels.end(), {"Controller", "selection", "crossbreed", "EvolutionSettings",
                                     "RadioButton", "DialogPanel", "DialogText"});
        for (const auto& name : panels) {
            if (!engine.has(name)) continue;
            int32_t* p = engine.panel(name);
            s.panels[name].assign(p, p + abi::panel::kWords);
        }
        std::vector<std::string> texts = rowNames("Str");
        texts.insert(texts.end(), {"selStr", "crossStr", "FeedbackText"});
        for (const auto& name : texts) {
            if (engine.has(name)) s.texts[name] = engine.text(name);
        }
        return s;
    }

    // Calls every export of the control panel with plausible arguments.
    void pressEveryButton() {
        for (int32_t row : {0, 1, 2}) {
            for (int32_t direction : {1, -1}) {
                EXPECT_EQ(call().SelectCommand(fromInt(row), fromInt(direction)), 0);
                EXPECT_EQ(call().ControlPanelCommand(fromInt(row), fromInt(direction)), 0);
            }
            EXPECT_EQ(call().SelectRadio(fromInt(row)), 0);
        }
        EXPECT_EQ(call().ToggleControlPanel(), 0);
    }

    void select(int32_t row, int32_t direction) {
        call().SelectCommand(fromInt(row), fromInt(direction));
    }
};

// Lookups seen through a function table that forwards to the engine.
std::vector<std::string> lookups;
void* EVOPLUG_CDECL loggedLookup(const char* name) {
    lookups.push_back(name);
    return host::Engine::lookupEntry(name);
}
void* EVOPLUG_CDECL loggedFunctionLookup(const char* name) {
    lookups.push_back(std::string("engine function ") + name);
    return host::Engine::lookupFunctionEntry(name);
}

TEST_F(PanelTest, BindingLooksUpEveryNameInOrder) {
    auto* original = static_cast<abi::Word*>(engine.interfaceRecord());
    auto* originalTable = reinterpret_cast<abi::Word*>(original[abi::host::kFunctionTable]);
    std::vector<abi::Word> table(originalTable, originalTable + abi::table::kWords);
    table[abi::table::kLookup] = reinterpret_cast<abi::Word>(&loggedLookup);
    table[abi::table::kLookupFunction] = reinterpret_cast<abi::Word>(&loggedFunctionLookup);
    std::vector<abi::Word> record(original, original + abi::host::kWords);
    record[abi::host::kFunctionTable] = reinterpret_cast<abi::Word>(table.data());
    ASSERT_EQ(call().A5_DLLAPI(record.data()), 511);

    std::vector<std::string> expected = {"num_elem", "stringlength", "mutation",     "crossover",
                                         "average",  "minimal",      "maximal",      "smallarray",
                                         "bigarray", "chromosom",    "big_iterator", "actionstring",
                                         "modelname"};
    for (const auto& n : rowNames("Slot")) expected.push_back(n);
    for (const auto& n : rowNames("Str")) expected.push_back(n);
    expected.insert(expected.end(), {"Controller", "selection", "crossbreed", "selStr", "crossStr",
                                     "EvolutionSettings", "RadioButton", "CalculateFitness"});
    ASSERT_EQ(expected.size(), 39u);
    lookups.clear();
    EXPECT_EQ(call().InterfaceInit(), 0);
    EXPECT_EQ(lookups, expected);

    lookups.clear();
    EXPECT_EQ(call().WDL_syntax(), 0);
    EXPECT_EQ(lookups, std::vector<std::string>({"camera", "player", "you", "mouse_pos.x",
                                                 "mouse_pos.y", "engine function ent_remove",
                                                 "engine function ent_create"}));
    lookups.clear();
    EXPECT_EQ(call().init_population(), 0);
    EXPECT_TRUE(lookups.empty());
}

TEST_F(PanelTest, StartUpShowsNdefInEveryRowAndPlacesTheMarker) {
    startPanel();
    for (const auto& name : rowNames("Str")) EXPECT_EQ(engine.text(name), "ndef") << name;
    EXPECT_EQ(engine.text("selStr"), "ndef");
    EXPECT_EQ(engine.text("crossStr"), "ndef");
    EXPECT_EQ(engine.panel("RadioButton")[kPosX], fromInt(386));
    EXPECT_EQ(engine.panel("RadioButton")[kPosY], fromInt(200 + 13));
}

TEST_F(PanelTest, SettingsRowsStepToEveryNameAndBackWithoutWrapping) {
    startPanel();
    struct Row {
        int32_t index;
        const char* text;
        const std::vector<std::string>& names;
    };
    for (const Row& row : {Row{0, "selStr", kSelection}, Row{1, "crossStr", kCrossbreed}}) {
        SCOPED_TRACE(row.text);
        for (size_t i = 1; i < row.names.size(); ++i) {
            select(row.index, 1);
            EXPECT_EQ(engine.text(row.text), row.names[i]);
        }
        select(row.index, 1);
        EXPECT_EQ(engine.text(row.text), row.names.back());
        for (size_t i = row.names.size() - 1; i-- > 0;) {
            select(row.index, -1);
            EXPECT_EQ(engine.text(row.text), row.names[i]);
        }
        select(row.index, -1);
        EXPECT_EQ(engine.text(row.text), row.names.front());
        select(row.index, 1);  // still at index 0: one step forward is entry 1
        EXPECT_EQ(engine.text(row.text), row.names[1]);
    }
    EXPECT_EQ(engine.text("Str0"), "ndef");
}

TEST_F(PanelTest, EveryDirectionButOneStepsBack) {
    startPanel();
    for (int i = 0; i < 4; ++i) select(0, 1);
    ASSERT_EQ(engine.text("selStr"), "RouletteWheel");
    select(0, 0);
    EXPECT_EQ(engine.text("selStr"), "MinMaxCross");
    select(0, -1);
    EXPECT_EQ(engine.text("selStr"), "Neighbour");
    select(0, 2);
    EXPECT_EQ(engine.text("selStr"), "Tournament");
    // Only the whole part of an EngineVar counts: 1.5 is forward.
    call().SelectCommand(0, fromInt(1) + 512);
    EXPECT_EQ(engine.text("selStr"), "Neighbour");
}

TEST_F(PanelTest, ControllerOffersOnlyTheRenamedGeneLabelsInRowZero) {
    startPanel();
    Snapshot before = snapshot();
    // Rows without a list, or outside the group; 2097151 is the largest row
    // an EngineVar can carry.
    for (int32_t row : {1, 2, 8, 9, -1, 2097151, -2097152}) {
        for (int32_t direction : {1, -1}) {
            call().ControlPanelCommand(fromInt(row), fromInt(direction));
            if (row > 1 || row < 0) call().SelectCommand(fromInt(row), fromInt(direction));
        }
    }
    EXPECT_TRUE(snapshot() == before);

    std::vector<std::string> shown;
    for (int i = 0; i < 4; ++i) {
        call().ControlPanelCommand(0, fromInt(1));
        shown.push_back(engine.text("Str0"));
    }
    for (int i = 0; i < 3; ++i) {
        call().ControlPanelCommand(0, fromInt(-1));
        shown.push_back(engine.text("Str0"));
    }
    EXPECT_EQ(shown, std::vector<std::string>({"Alpha", "Ambient", "Movement", "Movement",
                                               "Ambient", "Alpha", kGreeting}));
    EXPECT_EQ(engine.text("selStr"), "ndef");
}

TEST_F(PanelTest, SelectRadioMovesOnlyTheMarker) {
    startPanel();
    int32_t* settings = engine.panel("EvolutionSettings");
    settings[kPosY] = fromInt(321);
    EXPECT_EQ(call().SelectRadio(fromInt(2)), 0);
    EXPECT_EQ(engine.panel("RadioButton")[kPosX], fromInt(386));
    EXPECT_EQ(engine.panel("RadioButton")[kPosY], fromInt(321 + 53));
    EXPECT_EQ(engine.text("selStr"), "ndef");
    select(0, 1);
    EXPECT_EQ(engine.text("selStr"), "Tournament");  // the choice was still entry 0
}

TEST_F(PanelTest, SecondInitPopulationBuildsFreshGroupsOverTheGrownLists) {
    startPanel();
    select(0, 1);
    select(1, 1);
    call().ControlPanelCommand(0, fromInt(1));
    ASSERT_EQ(engine.text("crossStr"), "elite");

    EXPECT_EQ(call().init_population(), 0);
    EXPECT_EQ(engine.text("selStr"), "ndef");
    EXPECT_EQ(engine.text("crossStr"), "ndef");
    EXPECT_EQ(engine.text("Str0"), "ndef");
    // The new settings group still offers the first call's six names.
    for (int i = 0; i < 8; ++i) select(0, 1);
    EXPECT_EQ(engine.text("selStr"), "Excentric");
    select(1, 1);
    EXPECT_EQ(engine.text("crossStr"), "elite");

    // Row 1 of the controller now lists the eight gene names.
    std::vector<std::string> shown;
    for (int i = 0; i < 8; ++i) {
        call().ControlPanelCommand(fromInt(1), fromInt(1));
        shown.push_back(engine.text("Str1"));
    }
    EXPECT_EQ(shown, std::vector<std::string>({"Alpha", "Ambient", "Movement", "ColorR", "Alpha",
                                               "Ambient", "Movement", "Movement"}));
    call().ControlPanelCommand(0, fromInt(1));
    EXPECT_EQ(engine.text("Str0"), "Alpha");
    call().ControlPanelCommand(0, fromInt(-1));
    EXPECT_EQ(engine.text("Str0"), kGreeting);
    call().ControlPanelCommand(fromInt(2), fromInt(1));
    EXPECT_EQ(engine.text("Str2"), "ndef");
}

TEST_F(PanelTest, PanelExportsBeforeStartUpChangeNothing) {
    Snapshot before = snapshot();
    // Not even attached to the engine yet.
    pressEveryButton();
    EXPECT_EQ(call().DragPanel(), 0);
    EXPECT_EQ(call().MoveMyPanel(), 0);
    EXPECT_EQ(call().ReleaseMyPanel(), 0);
    EXPECT_EQ(call().PositionPanel(fromInt(1)), 0);
    EXPECT_TRUE(snapshot() == before);
    EXPECT_EQ(engine.calls().size(), 0u);

    // Bound, but the groups are not built yet.
    call().A5_DLLAPI(engine.interfaceRecord());
    call().InterfaceInit();
    call().WDL_syntax();
    pressEveryButton();
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(PanelTest, MissingScriptObjectsAreSkipped) {
    for (const char* name : {"selStr", "Str0", "EvolutionSettings"}) engine.remove(name);
    int32_t* marker = engine.panel("RadioButton");
    marker[kPosY] = fromInt(8);
    startPanel();
    EXPECT_EQ(engine.text("crossStr"), "ndef");
    EXPECT_EQ(engine.text("Str1"), "ndef");
    select(0, 1);
    select(1, 1);
    EXPECT_EQ(engine.text("crossStr"), "elite");
    call().ControlPanelCommand(0, fromInt(1));
    // Without its panel the marker has no place to go.
    call().SelectRadio(fromInt(2));
    EXPECT_EQ(marker[kPosX], 0);
    EXPECT_EQ(marker[kPosY], fromInt(8));
}

}  // namespace
}  // namespace evoplug::e2e
