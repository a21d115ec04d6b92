#include "FormTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Has(const TLog& log, const std::string& line) { return std::find(log.begin(), log.end(), line) != log.end(); }

class ControlEventTest : public ::testing::Test, public TFormFixture {
protected:
    TLogControl& AddControl(const std::string& name, int left, int top, int width = 40, int height = 30,
                            TWinControl* parent = nullptr) {
        auto& c = Form->CreateComponent<TLogControl>(&Log, name);
        c.SetParent(parent ? parent : Form);
        c.SetBounds(left, top, width, height);
        return c;
    }
    TLog Log;
};

TEST_F(ControlEventTest, ClickGoesToTheControlUnderThePointerInItsClientCoordinates) {
    auto& a = AddControl("a", 10, 10);
    auto& b = AddControl("b", 100, 10);
    int clicks = 0;
    b.SetOnClick([&](TObject* sender) { EXPECT_EQ(sender, &b); ++clicks; });
    ShowForm();
    Log.clear();
    ClickAt(105, 12);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Has(Log, "b.down 0 5,2"));
    EXPECT_TRUE(Has(Log, "b.up 0 5,2"));
    EXPECT_TRUE(Has(Log, "b.click"));
    EXPECT_FALSE(std::any_of(Log.begin(), Log.end(), [](const std::string& l) { return l.rfind("a.", 0) == 0 && l != "a.leave"; }));
    (void)a;
}

TEST_F(ControlEventTest, TheTopmostOfOverlappingControlsGetsThePress) {
    AddControl("under", 10, 10, 50, 50);
    AddControl("over", 30, 30, 50, 50);
    ShowForm();
    Log.clear();
    ClickAt(40, 40);
    EXPECT_TRUE(Has(Log, "over.click"));
    EXPECT_FALSE(Has(Log, "under.click"));
}

TEST_F(ControlEventTest, FormGetsMouseEventsWhereNoControlIs) {
    AddControl("a", 10, 10);
    std::vector<std::string> seen;
    Form->SetOnMouseDown([&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                       ((s & ssRight) ? " right" : ""));
    });
    Form->SetOnMouseMove([&](TObject*, TShiftState, int x, int y) { seen.push_back("move " + std::to_string(x) + "," + std::to_string(y)); });
    ShowForm();
    MoveTo(150, 120);
    Press(mbRight);
    Release(mbRight);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), "move 150,120");
    EXPECT_EQ(seen.back(), "down 1 150,120 right");
}

TEST_F(ControlEventTest, CaptureKeepsMovesAndTheReleaseWithThePressedControl) {
    AddControl("a", 10, 10);
    AddControl("b", 100, 10);
    ShowForm();
    MoveTo(20, 20);
    Press();
    Log.clear();
    MoveTo(110, 20);  // over b, but a holds the capture
    Release();
    EXPECT_TRUE(Has(Log, "a.move 100,10"));
    EXPECT_TRUE(Has(Log, "a.up 0 100,10"));
    EXPECT_FALSE(Has(Log, "a.click")) << "released outside: no click";
    EXPECT_FALSE(Has(Log, "b.move 10,10"));
    EXPECT_EQ(Form->CaptureControl(), nullptr);
}

TEST_F(ControlEventTest, PointerEnteredAndLeftPerControl) {
    auto& a = AddControl("a", 10, 10);
    AddControl("b", 100, 10);
    ShowForm();
    MoveTo(5, 5);
    Log.clear();
    MoveTo(20, 20);
    EXPECT_TRUE(a.MouseInControl());
    MoveTo(110, 20);
    MoveTo(190, 140);
    EXPECT_EQ(Log, (TLog{"a.enter", "a.move 10,10", "a.leave", "b.enter", "b.move 10,10", "b.leave"}));
    EXPECT_FALSE(a.MouseInControl());
}

TEST_F(ControlEventTest, WhileCapturedOnlyTheCapturingControlHearsEnterAndLeave) {
    AddControl("a", 10, 10);
    AddControl("b", 100, 10);
    ShowForm();
    MoveTo(20, 20);
    Press();
    Log.clear();
    MoveTo(110, 20);
    MoveTo(20, 20);
    EXPECT_EQ(Log, (TLog{"a.leave", "a.move 100,10", "a.enter", "a.move 10,10"}));
    Release();
}

TEST_F(ControlEventTest, LeavingTheWindowLeavesTheControl) {
    AddControl("a", 0, 0, 200, 150);
    ShowForm();
    MoveTo(20, 20);
    Log.clear();
    Display.InjectMouseMove(10, 10);  // outside the form
    App.ProcessMessages();
    EXPECT_EQ(Log, (TLog{"a.leave"}));
}

TEST_F(ControlEventTest, DisabledControlsPassTheMouseToTheirParent) {
    auto& a = AddControl("a", 10, 10);
    a.SetEnabled(false);
    int formDowns = 0;
    Form->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; });
    ShowForm();
    Log.clear();
    ClickAt(20, 20);
    EXPECT_EQ(formDowns, 1);
    EXPECT_TRUE(Log.empty());
}

TEST_F(ControlEventTest, NestedControlsGetCoordinatesOfTheirOwnClientArea) {
    auto& panel = AddControl("panel", 20, 20, 120, 100);
    AddControl("inner", 30, 40, 40, 30, &panel);
    ShowForm();
    Log.clear();
    ClickAt(55, 65);
    EXPECT_TRUE(Has(Log, "inner.down 0 5,5"));
    EXPECT_FALSE(Has(Log, "panel.click"));
    const TPoint screen = Form->FindComponent("inner") ? static_cast<TControl*>(Form->FindComponent("inner"))->ClientToScreen(TPoint{5, 5}) : TPoint{};
    EXPECT_EQ(screen, (TPoint{FormLeft + 55, FormTop + 65}));
}

TEST_F(ControlEventTest, SecondQuickPressIsADoubleClick) {
    AddControl("a", 10, 10);
    int doubles = 0;
    static_cast<TControl*>(Form->FindComponent("a"))->SetOnDblClick([&](TObject*) { ++doubles; });
    ShowForm();
    ClickAt(20, 20);
    Log.clear();
    Press();
    Release();
    EXPECT_EQ(doubles, 1);
    EXPECT_TRUE(Has(Log, "a.down 0 10,10 double"));
    EXPECT_FALSE(Has(Log, "a.click")) << "the second press of a double click is no click";
}

// --- keys and focus ---------------------------------------------------------------------

TEST_F(ControlEventTest, ShowingTheFormFocusesTheFirstTabStop) {
    auto& a = AddControl("a", 10, 10);
    auto& b = AddControl("b", 60, 10);
    b.SetTabOrder(0);
    ShowForm();
    EXPECT_EQ(Form->ActiveControl(), &b);
    EXPECT_TRUE(b.Focused());
    EXPECT_FALSE(a.Focused());
    EXPECT_TRUE(Form->Active());
}

TEST_F(ControlEventTest, TabAndShiftTabFollowTheTabOrderAndSkipWhatCannotTakeTheFocus) {
    auto& a = AddControl("a", 10, 10);
    auto& b = AddControl("b", 60, 10);
    auto& c = AddControl("c", 110, 10);
    auto& d = AddControl("d", 10, 60);
    c.SetTabOrder(0);  // c, a, b, d
    b.SetVisible(false);
    d.SetTabStop(false);
    ShowForm();
    EXPECT_EQ(Form->ActiveControl(), &c);
    Log.clear();
    Key(vkTab, '\t');
    EXPECT_EQ(Form->ActiveControl(), &a);
    EXPECT_EQ(Log, (TLog{"c.keydown 9", "c.doexit", "a.doenter", "a.keyup 9"}));
    Key(vkTab, '\t');
    EXPECT_EQ(Form->ActiveControl(), &c) << "wraps around";
    Key(vkTab, '\t', ssShift);
    EXPECT_EQ(Form->ActiveControl(), &a);
    (void)d;
}

TEST_F(ControlEventTest, TabOrderFollowsNestedContainers) {
    auto& a = AddControl("a", 10, 10);
    auto& panel = AddControl("panel", 60, 10, 120, 100);
    panel.SetTabStop(false);
    auto& inner = AddControl("inner", 5, 5, 20, 20, &panel);
    auto& b = AddControl("b", 10, 120);
    ShowForm();
    EXPECT_EQ(Form->ActiveControl(), &a);
    Key(vkTab, '\t');
    EXPECT_EQ(Form->ActiveControl(), &inner);
    Key(vkTab, '\t');
    EXPECT_EQ(Form->ActiveControl(), &b);
}

TEST_F(ControlEventTest, KeysGoToTheFocusedControlAndKeyPressOnlyForCharacters) {
    AddControl("a", 10, 10);
    auto& b = AddControl("b", 60, 10);
    b.SetFocus();
    ShowForm();
    Log.clear();
    Key(vkShift);
    Key('A', 'a');
    EXPECT_EQ(Log, (TLog{"b.keydown 16", "b.keyup 16", "b.keydown 65", "b.keypress a", "b.keyup 65"}));
}

TEST_F(ControlEventTest, KeyDownSetToZeroSwallowsTheCharacter) {
    auto& a = AddControl("a", 10, 10);
    a.SetOnKeyDown([](TObject*, std::uint16_t& key, TShiftState) { key = 0; });
    ShowForm();
    Log.clear();
    Key('A', 'a');
    EXPECT_EQ(Log, (TLog{"a.keydown 65", "a.keyup 65"}));
}

TEST_F(ControlEventTest, FormWithoutControlsGetsKeyPressItself) {
    std::string typed;
    Form->SetOnKeyPress([&](TObject*, char& ch) { typed += ch; });
    ShowForm();
    Key(vkShift);
    Key(vkF1);
    Key('X', 'x');
    Key(vkReturn, '\r');
    EXPECT_EQ(typed, "x\r");
}

TEST_F(ControlEventTest, KeyPreviewLetsTheFormSeeKeysFirst) {
    auto& a = AddControl("a", 10, 10);
    Form->SetKeyPreview(true);
    std::string formTyped;
    Form->SetOnKeyPress([&](TObject*, char& ch) {
        formTyped += ch;
        if (ch == 'q') ch = 0;
    });
    ShowForm();
    Log.clear();
    Key('W', 'w');
    Key('Q', 'q');
    EXPECT_EQ(formTyped, "wq");
    EXPECT_TRUE(Has(Log, "a.keypress w"));
    EXPECT_FALSE(Has(Log, "a.keypress q"));
    (void)a;
}

TEST_F(ControlEventTest, EnterAndEscapeAreOfferedToEveryControlUntilOneTakesThem) {
    AddControl("a", 10, 10);
    auto& b = AddControl("b", 60, 10);
    auto& c = AddControl("c", 110, 10);
    b.TakeDialogKeys = true;
    ShowForm();
    Log.clear();
    Key(vkReturn, '\r');
    EXPECT_EQ(Log, (TLog{"a.keydown 13", "a.dialogkey 13", "b.dialogkey 13", "a.keyup 13"}))
        << "taken by b: c is not asked and no KeyPress follows";
    b.TakeDialogKeys = false;
    Log.clear();
    Key(vkEscape, 27);
    EXPECT_TRUE(Has(Log, "c.dialogkey 27"));
    EXPECT_TRUE(Has(Log, std::string("a.keypress ") + char(27))) << "nobody took it: the character follows";
    (void)c;
}

TEST_F(ControlEventTest, ArrowKeysMoveAmongSiblingsUnlessTheControlWantsThem) {
    auto& a = AddControl("a", 10, 10);
    auto& b = AddControl("b", 60, 10);
    b.SetTabStop(false);
    ShowForm();
    Key(vkRight);
    EXPECT_EQ(Form->ActiveControl(), &b) << "arrows ignore TabStop";
    b.WantArrows = true;
    Key(vkLeft);
    EXPECT_EQ(Form->ActiveControl(), &b);
    (void)a;
}

TEST_F(ControlEventTest, AcceleratorsWithAltOrUnwantedCharactersReachDialogChar) {
    auto& a = AddControl("a", 10, 10);
    auto& b = AddControl("b", 60, 10);
    b.Accelerator = 'k';
    ShowForm();
    Log.clear();
    Key('K', 'k', ssAlt);
    EXPECT_EQ(Log, (TLog{"a.keydown 75", "b.dialogchar k", "a.keyup 75"})) << "Alt: no KeyPress";
    Log.clear();
    Key('K', 'k');
    EXPECT_EQ(Log, (TLog{"a.keydown 75", "a.keypress k", "b.dialogchar k", "a.keyup 75"}));
    a.WantCharacters = true;
    Log.clear();
    Key('K', 'k');
    EXPECT_FALSE(Has(Log, "b.dialogchar k")) << "an edit keeps its characters";
}

TEST_F(ControlEventTest, WindowFocusChangesReachTheActiveControl) {
    struct TFocusControl : TLogControl {
        using TLogControl::TLogControl;
        void FocusIn() override { Add("focusin"); }
        void FocusOut() override { Add("focusout"); }
    };
    auto& a = Form->CreateComponent<TFocusControl>(&Log, "a");
    a.SetParent(Form);
    a.SetBounds(10, 10, 20, 20);
    int activations = 0;
    Form->SetOnActivate([&](TObject*) { ++activations; });
    ShowForm();
    EXPECT_EQ(activations, 1);
    Log.clear();
    const TWindowId other = Display.CreateForeignWindow(TWindowRect{0, 0, 10, 10});
    Display.SetFocus(other);
    App.ProcessMessages();
    EXPECT_FALSE(Form->Active());
    Display.SetFocus(Window());
    App.ProcessMessages();
    EXPECT_EQ(Log, (TLog{"a.focusout", "a.focusin"}));
    EXPECT_EQ(activations, 2);
}

TEST_F(ControlEventTest, DestroyedControlsAreForgottenByTheForm) {
    auto& a = AddControl("a", 10, 10);
    ShowForm();
    MoveTo(20, 20);
    Press();
    EXPECT_EQ(Form->CaptureControl(), &a);
    a.Free();
    EXPECT_EQ(Form->CaptureControl(), nullptr);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(Form->MouseControl(), nullptr);
    Release();
    Key('A', 'a');
}

}  // namespace
