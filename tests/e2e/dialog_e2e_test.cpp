// The dialog exports: dragging, moving and releasing the dialog panel, and
// placing it under the mouse.
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

using abi::fromInt;
using abi::panel::kPosX;
using abi::panel::kPosY;
using abi::panel::kWord10;
using Words = std::vector<int32_t>;

const std::string kNoMove = "Kann nicht bewegt werden|", kDragging = "Hallo DragnDrop|",
                  kMoving = "Hallo, Move Panel |", kReleased = "Das Panel wird losgelassen|";

class DialogTest : public PluginTest {
  protected:
    void setSwitch(int value) { *engine.var("dragSwitch") = fromInt(value); }
    int32_t* dialog() { return engine.panel("DialogPanel"); }
    int32_t* dialogText() { return engine.panel("DialogText"); }
    Words positions() {
        return {dialog()[kPosX], dialog()[kPosY], dialogText()[kPosX], dialogText()[kPosY]};
    }
    void place(int32_t* panel, int x, int y) {
        panel[kPosX] = fromInt(x);
        panel[kPosY] = fromInt(y);
    }
    // Presses D(rag), M(ove), R(elease) and P(osition) in turn; the feedback
    // text after each, each followed by "|".
    std::string press(const std::string& keys) {
        std::string shown;
        for (char key : keys) {
            key == 'D'   ? call().DragPanel()
            : key == 'M' ? call().MoveMyPanel()
            : key == 'R' ? call().ReleaseMyPanel()
                         : call().PositionPanel(fromInt(1));
            shown += (engine.has("FeedbackText") ? engine.text("FeedbackText") : "-") + "|";
        }
        return shown;
    }
};

TEST_F(DialogTest, DragMoveReleaseAndTheSwitchThatEndsIt) {
    bind();
    for (int value : {0, 2}) {  // only 1 enables dragging: otherwise just the messages
        setSwitch(value);
        engine.setText("FeedbackText", "untouched");
        EXPECT_EQ(press("DMR"), "untouched|" + kMoving + kReleased) << value;
        EXPECT_EQ(*engine.var("dragSwitch"), fromInt(value));
    }
    EXPECT_EQ(dialog()[kWord10], 0);
    EXPECT_EQ(engine.calls().size(), 0u);
    setSwitch(1);
    EXPECT_EQ(press("D"), kNoMove);
    const char* noMove =
        reinterpret_cast<const char*>(engine.stringRecord("FeedbackText")[abi::string::kText]);
    EXPECT_EQ(press("MDRD"), kMoving + kDragging + kReleased + kReleased);
    EXPECT_EQ(*engine.var("dragSwitch"), 0);  // disabled until the script enables it again
    EXPECT_EQ(dialog()[kWord10], fromInt(10));
    ASSERT_EQ(engine.calls().size(), 1u);
    const host::ScriptCall& check = engine.calls()[0];
    EXPECT_EQ(check.name + std::to_string(check.a | check.b | check.c | check.d),
              "checkDragProcess0");
    setSwitch(1);
    EXPECT_EQ(press("D"), kNoMove);                 // no move under way any more
    EXPECT_EQ(noMove + std::string("|"), kNoMove);  // each message a fresh text the engine keeps
}

TEST_F(DialogTest, APanelPushedPastMinus300ComesBackBy1100) {
    bind();
    place(dialog(), -301, 40);
    place(dialogText(), -251, 65);
    press("M");
    EXPECT_EQ(positions(), Words({fromInt(799), fromInt(40), fromInt(849), fromInt(65)}));
    dialog()[kPosX] = fromInt(-300);
    press("R");
    EXPECT_EQ(dialog()[kPosX], fromInt(-300));
    dialog()[kPosX] = fromInt(-300) - 1;  // just past, by the smallest step
    press("R");
    EXPECT_EQ(dialog()[kPosX], fromInt(800) - 1);
    EXPECT_EQ(dialogText()[kPosX], fromInt(849 + 1100));
    setSwitch(1);
    dialog()[kPosX] = fromInt(-500);
    press("D");  // reports only
    EXPECT_EQ(dialog()[kPosX], fromInt(-500));
}

TEST_F(DialogTest, PositionPanelPutsTheDialogUnderTheMouse) {
    attach();  // the dialog is bound by the first move or release, the mouse by WDL_syntax
    *engine.var("mouse_pos.x") = fromInt(120);
    *engine.var("mouse_pos.y") = fromInt(80);
    place(dialog(), 5, 6);
    press("P");
    EXPECT_EQ(positions(), Words({fromInt(5), fromInt(6), 0, 0}));
    press("RP");  // only the text follows
    EXPECT_EQ(positions(), Words({fromInt(5), fromInt(6), fromInt(55), fromInt(31)}));
    call().WDL_syntax();
    for (int flag : {0, 2, -1}) call().PositionPanel(fromInt(flag));
    EXPECT_EQ(dialog()[kPosX], fromInt(5));
    call().PositionPanel(fromInt(1) + 512);  // only the whole part of 1.5 counts
    EXPECT_EQ(positions(), Words({fromInt(120), fromInt(80), fromInt(170), fromInt(105)}));
    *engine.var("mouse_pos.x") = fromInt(10) + 256;  // fractions are kept
    press("P");
    EXPECT_EQ(dialogText()[kPosX], fromInt(60) + 256);
}

// Each missing script object is skipped; the rest goes on.
class DialogWithout : public DialogTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DialogWithout, SkipsItAndDoesTheRest) {
    const std::string missing = GetParam();
    auto has = [&](const char* name) { return missing != name; };
    engine.remove(missing);
    bind();
    if (has("dragSwitch")) setSwitch(1);
    if (has("DialogPanel")) place(dialog(), -400, 0);
    EXPECT_EQ(press("DMDR"), !has("FeedbackText") ? "-|-|-|-|"
                             : has("dragSwitch")  ? kNoMove + kMoving + kDragging + kReleased
                                                  : "|" + kMoving + kMoving + kReleased);
    if (has("DialogPanel")) {
        EXPECT_EQ(dialog()[kPosX], fromInt(700));
        EXPECT_EQ(dialog()[kWord10], has("dragSwitch") ? fromInt(10) : 0);
    }
    // The engine is called by name, with handle 0 when the script has no function.
    EXPECT_EQ(engine.calls().empty() ? -1 : engine.calls()[0].handle,
              has("dragSwitch") ? engine.handle("checkDragProcess") : -1);
    press("P");
    if (has("dragSwitch")) return;
    engine.defineVar("dragSwitch", fromInt(1));  // bound once the script has it
    EXPECT_EQ(press("MD"), kMoving + kDragging);
}

INSTANTIATE_TEST_SUITE_P(Each, DialogWithout,
                         ::testing::Values("FeedbackText", "DialogPanel", "DialogText",
                                           "checkDragProcess", "dragSwitch"));

}  // namespace
}  // namespace evoplug::e2e
