#include <string>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

using abi::fromInt;
using abi::panel::kPosX;
using abi::panel::kPosY;
using abi::panel::kWord10;

const std::string kNoMove = "Kann nicht bewegt werden";
const std::string kDragging = "Hallo DragnDrop";
const std::string kMoving = "Hallo, Move Panel ";
const std::string kReleased = "Das Panel wird losgelassen";

// The drag exports need no option groups: the engine and the bindings suffice.
class DialogTest : public PluginTest {
  protected:
    void bind() {
        call().A5_DLLAPI(engine.interfaceRecord());
        call().InterfaceInit();
        call().WDL_syntax();
    }
    void setSwitch(int value) { *engine.var("dragSwitch") = fromInt(value); }
    std::string feedback() { return engine.text("FeedbackText"); }
    const char* feedbackPointer() {
        return reinterpret_cast<const char*>(
            engine.stringRecord("FeedbackText")[abi::string::kText]);
    }
    int32_t* dialog() { return engine.panel("DialogPanel"); }
    int32_t* dialogText() { return engine.panel("DialogText"); }
};

TEST_F(DialogTest, DragMoveReleaseAndTheSwitchThatEndsIt) {
    bind();
    setSwitch(1);
    EXPECT_EQ(call().DragPanel(), 0);
    EXPECT_EQ(feedback(), kNoMove);

    const char* noMove = feedbackPointer();
    EXPECT_EQ(call().MoveMyPanel(), 0);
    EXPECT_EQ(feedback(), kMoving);
    EXPECT_EQ(dialog()[kWord10], 10240);
    ASSERT_EQ(engine.callsTo("checkDragProcess"), 1u);
    const host::ScriptCall& check = engine.calls().back();
    EXPECT_EQ(check.handle, engine.handle("checkDragProcess"));
    EXPECT_EQ(check.a | check.b | check.c | check.d, 0);

    call().DragPanel();
    EXPECT_EQ(feedback(), kDragging);

    EXPECT_EQ(call().ReleaseMyPanel(), 0);
    EXPECT_EQ(feedback(), kReleased);
    EXPECT_EQ(*engine.var("dragSwitch"), 0);

    // Disabled until the script enables it again; then no move is under way.
    call().DragPanel();
    EXPECT_EQ(feedback(), kReleased);
    setSwitch(1);
    call().DragPanel();
    EXPECT_EQ(feedback(), kNoMove);
    // Each message is a fresh text, and the engine keeps the earlier ones.
    EXPECT_NE(feedbackPointer(), noMove);
    EXPECT_EQ(noMove, kNoMove);
}

TEST_F(DialogTest, DisabledSwitchLeavesOnlyTheMessages) {
    bind();
    for (int value : {0, 2}) {
        SCOPED_TRACE(value);
        setSwitch(value);
        engine.setText("FeedbackText", "untouched");
        call().DragPanel();
        EXPECT_EQ(feedback(), "untouched");

        call().MoveMyPanel();
        EXPECT_EQ(feedback(), kMoving);
        EXPECT_EQ(dialog()[kWord10], 0);
        EXPECT_EQ(engine.callsTo("checkDragProcess"), 0u);

        call().ReleaseMyPanel();
        EXPECT_EQ(feedback(), kReleased);
        EXPECT_EQ(*engine.var("dragSwitch"), fromInt(value));
    }
    // No move was started, so none is reported once enabled.
    setSwitch(1);
    call().DragPanel();
    EXPECT_EQ(feedback(), kNoMove);
}

TEST_F(DialogTest, APanelPushedPastMinus300ComesBackBy1100) {
    bind();
    dialog()[kPosX] = fromInt(-301);
    dialog()[kPosY] = fromInt(40);
    dialogText()[kPosX] = fromInt(-251);
    dialogText()[kPosY] = fromInt(65);
    call().MoveMyPanel();
    EXPECT_EQ(dialog()[kPosX], fromInt(799));
    EXPECT_EQ(dialogText()[kPosX], fromInt(849));
    EXPECT_EQ(dialog()[kPosY], fromInt(40));
    EXPECT_EQ(dialogText()[kPosY], fromInt(65));

    dialog()[kPosX] = fromInt(-300);
    call().ReleaseMyPanel();
    EXPECT_EQ(dialog()[kPosX], fromInt(-300));
    dialog()[kPosX] = fromInt(-300) - 1;  // just past, by the smallest step
    call().ReleaseMyPanel();
    EXPECT_EQ(dialog()[kPosX], fromInt(800) - 1);
    EXPECT_EQ(dialogText()[kPosX], fromInt(849 + 1100));
    // DragPanel reports only; it brings nothing back.
    setSwitch(1);
    dialog()[kPosX] = fromInt(-500);
    call().DragPanel();
    EXPECT_EQ(dialog()[kPosX], fromInt(-500));
}

TEST_F(DialogTest, PositionPanelPutsTheDialogUnderTheMouse) {
    bind();
    call().MoveMyPanel();  // binds the dialog's panels
    *engine.var("mouse_pos.x") = fromInt(120);
    *engine.var("mouse_pos.y") = fromInt(80);
    for (int flag : {0, 2, -1}) {
        EXPECT_EQ(call().PositionPanel(fromInt(flag)), 0);
        EXPECT_EQ(dialog()[kPosX], 0);
        EXPECT_EQ(dialogText()[kPosY], 0);
    }
    EXPECT_EQ(call().PositionPanel(fromInt(1)), 0);
    EXPECT_EQ(dialog()[kPosX], fromInt(120));
    EXPECT_EQ(dialog()[kPosY], fromInt(80));
    EXPECT_EQ(dialogText()[kPosX], fromInt(170));
    EXPECT_EQ(dialogText()[kPosY], fromInt(105));
    // Fractions of the mouse position are kept.
    *engine.var("mouse_pos.x") = fromInt(10) + 256;
    call().PositionPanel(fromInt(1) + 512);
    EXPECT_EQ(dialog()[kPosX], fromInt(10) + 256);
    EXPECT_EQ(dialogText()[kPosX], fromInt(60) + 256);
}

TEST_F(DialogTest, PositionPanelSkipsWhatIsNotBoundYet) {
    call().A5_DLLAPI(engine.interfaceRecord());
    *engine.var("mouse_pos.x") = fromInt(120);
    *engine.var("mouse_pos.y") = fromInt(80);
    // Neither the dialog nor the mouse is bound.
    call().PositionPanel(fromInt(1));
    EXPECT_EQ(dialog()[kPosX], 0);
    EXPECT_EQ(dialogText()[kPosX], 0);

    // The dialog is bound, the mouse is not: only the text follows the panel.
    dialog()[kPosX] = fromInt(5);
    dialog()[kPosY] = fromInt(6);
    call().ReleaseMyPanel();
    call().PositionPanel(fromInt(1));
    EXPECT_EQ(dialog()[kPosX], fromInt(5));
    EXPECT_EQ(dialogText()[kPosX], fromInt(55));
    EXPECT_EQ(dialogText()[kPosY], fromInt(31));

    call().WDL_syntax();
    call().PositionPanel(fromInt(1));
    EXPECT_EQ(dialog()[kPosX], fromInt(120));
    EXPECT_EQ(dialogText()[kPosY], fromInt(105));
}

TEST_F(DialogTest, DragSwitchIsBoundOnceTheScriptHasIt) {
    engine.remove("dragSwitch");
    bind();
    call().DragPanel();
    EXPECT_EQ(feedback(), "");
    call().MoveMyPanel();
    call().ReleaseMyPanel();
    EXPECT_EQ(feedback(), kReleased);
    EXPECT_EQ(engine.callsTo("checkDragProcess"), 0u);

    engine.defineVar("dragSwitch", fromInt(1));
    call().MoveMyPanel();
    EXPECT_EQ(engine.callsTo("checkDragProcess"), 1u);
    call().DragPanel();
    EXPECT_EQ(feedback(), kDragging);
}

TEST_F(DialogTest, MissingDialogObjectsAreSkipped) {
    engine.remove("FeedbackText");
    engine.remove("DialogText");
    engine.remove("checkDragProcess");
    bind();
    setSwitch(1);
    dialog()[kPosX] = fromInt(-400);
    call().DragPanel();
    call().MoveMyPanel();
    EXPECT_EQ(dialog()[kPosX], fromInt(700));
    EXPECT_EQ(dialog()[kWord10], 10240);
    // The engine is still called, with handle 0.
    ASSERT_EQ(engine.calls().size(), 1u);
    EXPECT_EQ(engine.calls()[0].handle, 0);
    call().PositionPanel(fromInt(1));
    call().ReleaseMyPanel();
    EXPECT_EQ(*engine.var("dragSwitch"), 0);
}

TEST_F(DialogTest, MissingDialogPanelStillReportsAndMoves) {
    engine.remove("DialogPanel");
    bind();
    setSwitch(1);
    call().DragPanel();
    EXPECT_EQ(feedback(), kNoMove);
    call().MoveMyPanel();
    EXPECT_EQ(feedback(), kMoving);
    EXPECT_EQ(engine.callsTo("checkDragProcess"), 1u);
    call().PositionPanel(fromInt(1));
    EXPECT_EQ(dialogText()[kPosX], 0);
    call().DragPanel();
    EXPECT_EQ(feedback(), kDragging);
}

}  // namespace
}  // namespace evoplug::e2e
