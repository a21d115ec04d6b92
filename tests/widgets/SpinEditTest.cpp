#include "SpinEditFixture.h"

#include "classes/ClassRegistry.h"
#include "classes/FormReader.h"
#include "ui/FrameworkClasses.h"
#include "ui/Timer.h"

#include "gfx/Canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace {

class SpinEditTest : public ::testing::Test, public TSpinEditFixture {};

TEST(SpinEditConversionTest, TheRuntimesIntegerConversion) {
    EXPECT_EQ(StrToIntValue("10"), 10);
    EXPECT_EQ(StrToIntValue("  -5"), -5);
    EXPECT_EQ(StrToIntValue("+7"), 7);
    EXPECT_EQ(StrToIntValue("007"), 7);
    EXPECT_EQ(StrToIntValue("$1F"), 31);
    EXPECT_EQ(StrToIntValue("0x10"), 16);
    EXPECT_EQ(StrToIntValue("X10"), 16);
    EXPECT_EQ(StrToIntValue("-$10"), -16);
    EXPECT_EQ(StrToIntValue("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToIntValue("2147483647"), INT_MAX);
    EXPECT_EQ(StrToIntValue("-2147483648"), INT_MIN);
    for (const char* bad : {"", " ", "-", "+", "$", "0x", "12a", "1.5", "5 ", "2147483648", "-2147483649",
                            "$100000000", "99999999999999999999999", "1e3", "--1", "\t1"})
        EXPECT_EQ(StrToIntValue(bad), std::nullopt) << '"' << bad << '"';
}

TEST_F(SpinEditTest, ConstructedWithZeroAndNoBounds) {
    TSpinEdit& plain = Form->CreateComponent<TSpinEdit>();
    EXPECT_EQ(plain.Text(), "0");
    EXPECT_EQ(plain.Value(), 0);
    EXPECT_EQ(plain.Increment(), 1);
    EXPECT_TRUE(plain.EditorEnabled());
    EXPECT_FALSE(plain.ControlStyle().Contains(csSetCaption));
    ASSERT_NE(plain.Arrows(), nullptr);
    EXPECT_EQ(plain.Arrows()->FocusControl(), &plain);
    plain.SetValue(-2000000000);
    EXPECT_EQ(plain.Text(), "-2000000000") << "equal bounds clamp nothing";
}

TEST_F(SpinEditTest, ReadingDoesNotClampAndLeavingRewritesOutOfRangeText) {
    ShowForm();
    FocusSpin();
    Type("5");
    EXPECT_EQ(Spin->Text(), "5");
    EXPECT_EQ(Spin->Value(), 5) << "while typing Value may lie outside the bounds";
    LeaveSpin();
    EXPECT_EQ(Spin->Text(), "10");
}

TEST_F(SpinEditTest, EmptyOrUnconvertibleTextReadsMinValueAndStaysAsTyped) {
    ShowForm();
    FocusSpin();
    Key(vkDelete);
    EXPECT_EQ(Spin->Text(), "");
    EXPECT_EQ(Spin->Value(), 10);
    LeaveSpin();
    EXPECT_EQ(Spin->Text(), "") << "MinValue is within the bounds: nothing to rewrite";
    FocusSpin();
    Type("1.");
    EXPECT_EQ(Spin->Text(), "1.") << "the decimal separator is accepted";
    EXPECT_EQ(Spin->Value(), 10);
}

TEST_F(SpinEditTest, AboveMaxValueBecomesMaxValueOnExit) {
    Spin->SetMaxLength(4);
    ShowForm();
    FocusSpin();
    Type("1500");
    LeaveSpin();
    EXPECT_EQ(Spin->Text(), "999");
}

TEST_F(SpinEditTest, ArrowKeysStepAndClamp) {
    ShowForm();
    FocusSpin();
    Key(vkUp);
    EXPECT_EQ(Spin->Text(), "11");
    Key(vkDown);
    Key(vkDown);
    EXPECT_EQ(Spin->Text(), "10");
    Spin->SetValue(999);
    const int before = Changes;
    Key(vkUp);
    EXPECT_EQ(Spin->Text(), "999");
    EXPECT_EQ(Changes, before) << "rewritten with the same text: no change";
    EXPECT_TRUE(Spin->Focused()) << "the arrow keys do not move the focus";
}

TEST_F(SpinEditTest, UpOnPastedTextThatDoesNotConvert) {
    ShowForm();
    FocusSpin();
    Display.SetClipboardText("ab");
    Key('V', 22, ssCtrl);
    EXPECT_EQ(Spin->Text(), "ab") << "pasted text is not filtered";
    Key(vkUp);
    EXPECT_EQ(Spin->Text(), "11");
}

TEST_F(SpinEditTest, PasteIsLimitedByMaxLength) {
    ShowForm();
    FocusSpin();
    Display.SetClipboardText("123456");
    Key('V', 22, ssCtrl);
    EXPECT_EQ(Spin->Text(), "123");
}

TEST_F(SpinEditTest, StepsWrapAroundWithoutBounds) {
    Spin->SetMinValue(0);
    Spin->SetMaxValue(0);
    Spin->SetValue(INT_MAX);
    Spin->StepUp(nullptr);
    EXPECT_EQ(Spin->Value(), INT_MIN);
    Spin->StepDown(nullptr);
    EXPECT_EQ(Spin->Value(), INT_MAX);
    Spin->SetIncrement(-5);
    Spin->SetValue(0);
    Spin->StepUp(nullptr);
    EXPECT_EQ(Spin->Text(), "-5");
}

TEST_F(SpinEditTest, ChangingABoundDoesNotRewriteTheText) {
    Spin->SetValue(500);
    Spin->SetMaxValue(100);
    EXPECT_EQ(Spin->Text(), "500");
    EXPECT_EQ(Spin->Value(), 500);
}

TEST_F(SpinEditTest, ReadOnlyBeepsOnStepsAndIgnoresPasteAndCutSilently) {
    Spin->SetReadOnly(true);
    ShowForm();
    FocusSpin();
    int beeps = Display.BeepCount();
    Key(vkUp);
    Key(vkDown);
    EXPECT_EQ(Display.BeepCount(), beeps + 2);
    ClickAt(UpX, UpY);
    EXPECT_EQ(Display.BeepCount(), beeps + 3);
    EXPECT_EQ(Spin->Text(), "10");
    beeps = Display.BeepCount();
    Display.SetClipboardText("55");
    Spin->SelectAll();
    Key('V', 22, ssCtrl);
    Key('X', 24, ssCtrl);
    EXPECT_EQ(Spin->Text(), "10");
    EXPECT_EQ(Display.BeepCount(), beeps);
}

TEST_F(SpinEditTest, EditorDisabledRefusesTypingButCopiesAndSteps) {
    Spin->SetEditorEnabled(false);
    ShowForm();
    FocusSpin();
    int beeps = Display.BeepCount();
    Type("5");
    Key(vkBack, 8);
    EXPECT_EQ(Display.BeepCount(), beeps + 2);
    EXPECT_EQ(Spin->Text(), "10");
    Key('C', 3, ssCtrl);
    EXPECT_EQ(Display.GetClipboardText().value_or(""), "10");
    Display.SetClipboardText("77");
    Key('V', 22, ssCtrl);
    Key('X', 24, ssCtrl);
    EXPECT_EQ(Spin->Text(), "10");
    EXPECT_EQ(Display.BeepCount(), beeps + 2);
    Key(vkUp);
    EXPECT_EQ(Spin->Text(), "11");
    ClickAt(UpX, UpY);
    EXPECT_EQ(Spin->Text(), "12");
}

TEST_F(SpinEditTest, CharacterFilter) {
    EXPECT_TRUE(Spin->IsAcceptedChar('0'));
    EXPECT_TRUE(Spin->IsAcceptedChar('9'));
    EXPECT_TRUE(Spin->IsAcceptedChar('+'));
    EXPECT_TRUE(Spin->IsAcceptedChar('-'));
    EXPECT_TRUE(Spin->IsAcceptedChar('.'));
    EXPECT_TRUE(Spin->IsAcceptedChar(8));
    EXPECT_TRUE(Spin->IsAcceptedChar(3));
    EXPECT_FALSE(Spin->IsAcceptedChar(13));
    EXPECT_FALSE(Spin->IsAcceptedChar('a'));
    EXPECT_FALSE(Spin->IsAcceptedChar(' '));
    EXPECT_FALSE(Spin->IsAcceptedChar('\xE9'));
    Spin->SetEditorEnabled(false);
    EXPECT_FALSE(Spin->IsAcceptedChar('1'));
    EXPECT_FALSE(Spin->IsAcceptedChar(8));
    EXPECT_TRUE(Spin->IsAcceptedChar(22));
    EXPECT_FALSE(Spin->IsAcceptedChar(13));
}

TEST_F(SpinEditTest, TypedLettersAndCarriageReturnBeep) {
    ShowForm();
    FocusSpin();
    const int beeps = Display.BeepCount();
    Type("a");
    Key(vkReturn, 13);
    EXPECT_EQ(Display.BeepCount(), beeps + 2);
    EXPECT_EQ(Spin->Text(), "10");
}

TEST_F(SpinEditTest, DialogLayoutOfArrowsAndText) {
    EXPECT_EQ(Spin->Height(), 22);
    EXPECT_EQ(Spin->ClientRect(), Rect(2, 2, 44, 20));
    TSpinButton* arrows = Spin->Arrows();
    EXPECT_EQ(arrows->BoundsRect(), Bounds(2 + 26, 2, 15, 17)) << "26, 0 inside the border";
    EXPECT_EQ(arrows->UpArrow()->BoundsRect(), Bounds(0, 0, 15, 8));
    EXPECT_EQ(arrows->DownArrow()->BoundsRect(), Bounds(0, 7, 15, 10));
    EXPECT_EQ(Spin->EditRect(), Rect(0, 0, 25, 19));
}

TEST_F(SpinEditTest, HeightNeverBelowMinimumHeight) {
    const int minimum = Spin->MinimumHeight();
    const int t = minimum - 2 - 4 - std::min(16, minimum) / 4;  // roughly the font's cell height
    EXPECT_GT(t, 0);
    Spin->SetHeight(5);
    EXPECT_EQ(Spin->Height(), minimum);
    Spin->SetHeight(40);
    EXPECT_EQ(Spin->Height(), 40);
    EXPECT_EQ(Spin->Arrows()->Height(), 35);
    EXPECT_EQ(Spin->Arrows()->UpArrow()->Height(), 17);
    EXPECT_EQ(Spin->Arrows()->DownArrow()->BoundsRect(), Bounds(0, 16, 15, 19));
    Spin->SetCtl3D(false);
    Spin->SetHeight(30);
    EXPECT_EQ(Spin->Arrows()->BoundsRect(), Bounds(2 + 46 - 15, 2 + 1, 15, 27));
}

TEST_F(SpinEditTest, MinimumHeightFormula) {
    // T + min(S, T) / 4 + 4 + 2 with S = 16.
    TCanvas& canvas = Spin->Canvas();
    canvas.SetFont(Spin->Font());
    const int t = canvas.GetTextMetrics().tmHeight;
    EXPECT_EQ(Spin->MinimumHeight(), t + std::min(16, t) / 4 + 6);
    Spin->Font().SetHeight(-40);
    canvas.SetFont(Spin->Font());
    const int big = canvas.GetTextMetrics().tmHeight;
    EXPECT_EQ(Spin->MinimumHeight(), big + 4 + 6);
}

TEST_F(SpinEditTest, FocusEnteredByKeyboardSelectsAllButNotByMouse) {
    ShowForm();
    FocusSpin();
    EXPECT_EQ(Spin->SelLength(), 2);
    LeaveSpin();
    ClickAt(19 + 10, 20 + 10);
    EXPECT_TRUE(Spin->Focused());
    EXPECT_EQ(Spin->SelLength(), 0);
}

TEST_F(SpinEditTest, ReadFromTheDialogsFormDefinition) {
    TClassRegistry classes;
    RegisterFrameworkClasses(classes);
    RegisterSpinEditClasses(classes);
    TFormReader(classes, "test").Read(*Form,
        "object Form1: TForm\n"
        "  object txtImgWait: TSpinEdit\n    Left = 19\n    Top = 20\n    Width = 46\n    Height = 22\n"
        "    Font.Color = 9981440\n    Font.Height = -11\n    Font.Name = 'Tahoma'\n    Font.Style = [fsBold]\n"
        "    ParentFont = False\n    MaxLength = 3\n    MaxValue = 999\n    MinValue = 10\n    TabOrder = 0\n"
        "    Value = 5\n  end\nend\n");
    auto* spin = dynamic_cast<TSpinEdit*>(Form->FindComponent("txtImgWait"));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->Text(), "10") << "the bounds come first, so the value is clamped";
    EXPECT_EQ(spin->MaxLength(), 3);
    EXPECT_EQ(spin->Height(), 22);
    EXPECT_EQ(spin->Arrows()->BoundsRect(), Bounds(28, 2, 15, 17));
    EXPECT_EQ(Form->FindComponent("txtImgWait")->ComponentCount(), 1) << "the arrows belong to the edit";
}

TEST_F(SpinEditTest, ZeroSizedSpinEditDoesNotFail) {
    Spin->SetBounds(0, 0, 0, 0);
    EXPECT_EQ(Spin->Height(), Spin->MinimumHeight());
    Spin->SetWidth(0);
    ShowForm();
    Spin->StepUp(nullptr);
    EXPECT_EQ(Spin->Text(), "11");
}

}  // namespace
