// The control panel's option groups and the draggable dialog, on the
// standard level after its start-up.
#include <climits>
#include <map>

#include "bridge/engine_records.h"
#include "support/state_fixture.h"

namespace evoplug::panel {

using abi::fromInt;
using Words = std::vector<int32_t>;
using Texts = std::vector<std::string>;
constexpr const char* kGreeting = "Hallo, Sch\xF6nheit";
constexpr int kX = abi::panel::kPosX, kY = abi::panel::kPosY;

struct PanelTest : testing::StateTest {
    PanelTest() { startUp(); }
    const char* shown(const char* name) {
        return bridge::StringRecord(engine.stringRecord(name)).text();
    }
    int32_t& at(const char* panel, int word) { return engine.panel(panel)[word]; }
    Words radio() { return {at("RadioButton", kX), at("RadioButton", kY)}; }
    Words xs() { return {at("Controller", kX), at("Slot0", kX), at("Slot8", kX)}; }
    OptionGroup& settings() { return *s().panel.settings(); }
    OptionGroup& controller() { return *s().panel.controller(); }
};

TEST_F(PanelTest, RowsStepOneNameAtATimeWithoutWrappingAndShowOneCopyPerName) {
    for (const char* name : {"Str0", "Str8", "selStr", "crossStr"})
        EXPECT_STREQ(shown(name), "ndef");
    EXPECT_EQ(radio(), Words({fromInt(386), fromInt(200 + 13)}));  // beside row 0
    const auto& selections = genetic::kSelections;
    OptionGroup *set = &settings(), *ctl = &controller();
    // Group, row, direction, steps, the row's string and what it shows then.
    const std::tuple<OptionGroup*, int32_t, int32_t, int, const char*, const char*> steps[] = {
        {set, 0, -1, 1, "selStr", "ndef"},             // nothing before the first name
        {set, 0, 1, 9, "selStr", selections[5].name},  // nothing after the last
        {set, 0, 0, 1, "selStr", selections[4].name},  // every direction but 1 is back
        {set, 0, 2, 1, "selStr", selections[3].name},
        {ctl, 0, 1, 3, "Str0", "Movement"},
        {ctl, 0, -1, 9, "Str0", kGreeting},
        {ctl, 1, 1, 1, "Str1", "ndef"},  // only row 0 has a list
    };
    std::map<std::string, const char*> copies;
    for (const auto& [group, row, direction, times, string, shows] : steps) {
        SCOPED_TRACE(::testing::Message() << string << ", " << times << " steps " << direction);
        const char* before = shown(string);
        const int32_t choice = group->choice(row);
        for (int i = 0; i < times; ++i) {
            group->step(row, direction);
            EXPECT_EQ(copies.emplace(shown(string), shown(string)).first->second, shown(string));
        }
        EXPECT_STREQ(shown(string), shows);
        if (group->choice(row) == choice) {  // a step that cannot move keeps the text
            EXPECT_EQ(shown(string), before);
        }
    }
    for (int32_t row : {-1, 2, INT_MIN}) {  // rows it does not have
        set->step(row, 1);
        EXPECT_EQ(set->choice(row), 0) << row;
    }
}

TEST_F(PanelTest, ToggleAndTheRadioMarkerWhileAPopulationExistsAndAfterARebind) {
    const int32_t* panel = engine.panel("Controller");  // starting wrote only the rows' strings
    EXPECT_EQ(Words(panel, panel + abi::panel::kWords), Words(abi::panel::kWords, 0));
    s().toggleController();
    EXPECT_EQ(xs(), Words(3, 0));  // no population yet
    s().createPopulation();
    for (int32_t x : {-2048000, 0}) {
        s().toggleController();
        EXPECT_EQ(xs(), Words(3, x));
    }
    at("EvolutionSettings", kY) = fromInt(321);
    settings().placeRadio(2);
    EXPECT_EQ(radio(), Words({fromInt(386), fromInt(321 + 53)}));
    // The script defines records of both groups anew; every one of them is followed.
    for (const char* name : {"Controller", "Slot0", "RadioButton", "EvolutionSettings"})
        engine.definePanel(name);
    engine.defineString("Str0", "");
    at("EvolutionSettings", kY) = fromInt(500);
    s().script.bind(script::Stage::AtInterfaceInit, s().engine);
    s().toggleController();
    controller().step(0, 1);
    settings().placeRadio(1);
    EXPECT_EQ(xs(), Words(3, -2048000));
    EXPECT_EQ(radio(), Words({fromInt(386), fromInt(500 + 33)}));
    EXPECT_STREQ(shown("Str0"), "Alpha");
    engine.remove("EvolutionSettings");  // without its panel the marker stays put
    s().script.bind(script::Stage::AtInterfaceInit, s().engine);
    settings().placeRadio(2);
    EXPECT_EQ(radio(), Words({fromInt(386), fromInt(500 + 33)}));
}

TEST_F(PanelTest, ASecondBuildGrowsTheListsAndStartsFreshGroups) {
    controller().step(0, 1);
    settings().step(0, 1);
    const char* kept = shown("Str0");
    s().buildPanel();
    EXPECT_STREQ(kept, "Alpha");  // an engine string may still show the first group's text
    EXPECT_STREQ(shown("Str0"), "ndef");
    EXPECT_STREQ(shown("selStr"), "ndef");
    const NameList genes = {"Was anderes", "Alpha", "Ambient", "Movement",
                            "ColorR",      "Alpha", "Ambient", "Movement"};
    EXPECT_EQ(s().panel.geneNames(), genes);
    // Row 1 now offers the grown list; row 0 keeps the first one, greeting and all.
    for (int i = 0; i < 9; ++i) controller().step(1, 1);
    EXPECT_EQ(controller().choice(1), 7);
    for (int i = 0; i < 9; ++i) controller().step(1, -1);
    controller().step(0, 1);
    controller().step(0, -1);
    EXPECT_STREQ(shown("Str1"), "Was anderes");
    EXPECT_STREQ(shown("Str0"), kGreeting);
    resetState();  // a host's reset: what the engine strings show stays theirs
    EXPECT_STREQ(kept, "Alpha");
    EXPECT_STREQ(shown("Str1"), "Was anderes");
}

TEST_F(PanelTest, TheDialogMovesOnlyWithSwitchOneAndComesBackFromTheLeft) {
    int32_t *dialog = engine.panel("DialogPanel"), *text = engine.panel("DialogText");
    // Drag, Move, Release, or Position with a flag, in turn; the feedback after each.
    auto press = [&](const std::string& keys) {
        Texts feedback;
        for (char key : keys) {
            switch (key) {
                case 'D':
                    s().dialog.drag(s().engine);
                    break;
                case 'M':
                    s().dialog.move(s().engine);
                    break;
                case 'R':
                    s().dialog.release(s().engine);
                    break;
                default:
                    s().dialog.position(key - '0', s().script);
            }
            feedback.push_back(engine.text("FeedbackText"));
        }
        return feedback;
    };
    auto setSwitch = [&](int value) { *engine.var("dragSwitch") = fromInt(value); };
    const std::string move = "Hallo, Move Panel ", release = "Das Panel wird losgelassen",
                      refused = "Kann nicht bewegt werden", drag = "Hallo DragnDrop";
    *engine.var("mouse_pos.x") = fromInt(120);
    *engine.var("mouse_pos.y") = fromInt(80);
    setSwitch(1);
    // Positioning waits for a move or release to find the dialog; dragging finds its own.
    EXPECT_EQ(press("1D"), Texts({"", refused}));
    setSwitch(0);
    EXPECT_EQ(press("MR02"), Texts({move, release, release, release}));
    setSwitch(2);
    EXPECT_EQ(press("DMR"), Texts({release, move, release}));
    EXPECT_EQ(Words({dialog[kX], text[kY], dialog[abi::panel::kMoveMarker]}), Words(3, 0));
    EXPECT_TRUE(engine.calls().empty());
    setSwitch(1);
    EXPECT_EQ(press("DMD1R"), Texts({refused, move, drag, drag, release}));
    EXPECT_EQ(Words({dialog[kX], dialog[kY], text[kX], text[kY], dialog[abi::panel::kMoveMarker],
                     *engine.var("dragSwitch")}),
              Words({fromInt(120), fromInt(80), fromInt(170), fromInt(105), fromInt(10), 0}));
    ASSERT_EQ(engine.calls().size(), 1u);  // "checkDragProcess" with four zeros
    const host::ScriptCall& call = engine.calls()[0];
    EXPECT_EQ(Words({call.handle, call.a, call.b, call.c, call.d}),
              Words({engine.handle("checkDragProcess"), 0, 0, 0, 0}));
    const char* released = shown("FeedbackText");
    setSwitch(1);
    EXPECT_EQ(press("DR"), Texts({refused, release}));  // the release ended the move
    EXPECT_EQ(shown("FeedbackText"), released);         // one lasting copy per message
    // Moved or released left of -300, the dialog and its text come back by 1100.
    const std::pair<int32_t, const char*> pushed[] = {
        {fromInt(-300), "M"}, {fromInt(-300) - 1, "R"}, {fromInt(-301), "M"}};
    for (const auto& [x, key] : pushed) {
        dialog[kX] = x;
        text[kX] = 0;
        press(key);
        const int32_t by = x < fromInt(-300) ? fromInt(1100) : 0;
        EXPECT_EQ(Words({dialog[kX], text[kX]}), Words({x + by, by})) << x;
    }
}

}  // namespace evoplug::panel
