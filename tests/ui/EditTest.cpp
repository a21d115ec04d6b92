#include "StandardControlsSupport.h"

#include "ui/Edit.h"

#include <gtest/gtest.h>

namespace {

class EditTest : public ::testing::Test, public TFormFixture {
protected:
    EditTest() {
        Other = &Form->CreateComponent<TLogControl>(nullptr, "other");
        Other->SetParent(Form);
        Other->SetBounds(150, 100, 20, 20);
        Edit = &Form->CreateComponent<TEdit>();
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 120, 22);
        Edit->SetOnChange([this](TObject*) { ++Changes; });
    }
    void Type(const std::string& text) {
        for (char c : text) Key(static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(c))), static_cast<unsigned char>(c));
    }
    void FocusEdit() {
        Other->SetFocus();
        App.ProcessMessages();
        Key(vkTab);
        ASSERT_TRUE(Edit->Focused());
    }

    TLogControl* Other = nullptr;
    TEdit* Edit = nullptr;
    int Changes = 0;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndEveryChangeIsReported) {
    ShowForm();
    FocusEdit();
    Type("abc");
    EXPECT_EQ(Edit->Text(), "abc");
    Key(vkLeft);
    Key(vkLeft);
    Type("X");
    EXPECT_EQ(Edit->Text(), "aXbc");
    EXPECT_EQ(Edit->CaretPos(), 2);
    Key(vkBack, 8);
    EXPECT_EQ(Edit->Text(), "abc");
    Key(vkDelete);
    EXPECT_EQ(Edit->Text(), "ac");
    EXPECT_EQ(Changes, 6);
    EXPECT_TRUE(Edit->Modified());
    Edit->SetText("new");
    EXPECT_EQ(Changes, 7) << "text written by code is reported too";
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Edit->CaretPos(), 0);
}

TEST_F(EditTest, SelectionWithShiftHomeEndAndWordMoves) {
    Edit->SetText("one two three");
    ShowForm();
    FocusEdit();
    EXPECT_EQ(Edit->SelLength(), 13) << "AutoSelect on a keyboard focus";
    Key(vkHome);
    Key(vkRight, 0, ssCtrl);
    EXPECT_EQ(Edit->CaretPos(), 4);
    Key(vkEnd, 0, ssShift);
    EXPECT_EQ(Edit->SelText(), "two three");
    Type("2");
    EXPECT_EQ(Edit->Text(), "one 2");
    Key(vkLeft, 0, ssCtrl);
    EXPECT_EQ(Edit->CaretPos(), 4);
    Key('A', 1, ssCtrl);
    EXPECT_EQ(Edit->SelLength(), 5);
}

TEST_F(EditTest, MaxLengthLimitsTypingAndPastingButNotCode) {
    Edit->SetMaxLength(3);
    ShowForm();
    FocusEdit();
    Type("12");
    Display.SetClipboardText("345");
    Key('V', 22, ssCtrl);
    EXPECT_EQ(Edit->Text(), "123") << "the paste is cut to what fits";
    const int beeps = Display.BeepCount();
    Type("4");
    EXPECT_EQ(Edit->Text(), "123");
    EXPECT_EQ(Display.BeepCount(), beeps + 1);
    Edit->SetText("12345");
    EXPECT_EQ(Edit->Text(), "12345");
}

TEST_F(EditTest, ClipboardCopyCutPasteAndLineBreaks) {
    Edit->SetText("hello world");
    ShowForm();
    FocusEdit();
    Edit->Select(0, 5);
    Key('C', 3, ssCtrl);
    EXPECT_EQ(Display.GetClipboardText().value_or(""), "hello");
    Key('X', 24, ssCtrl);
    EXPECT_EQ(Edit->Text(), " world");
    Key(vkEnd);
    Key(vkInsert, 0, ssShift);
    EXPECT_EQ(Edit->Text(), " worldhello");
    Display.SetClipboardText("first\r\nsecond");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), " worldhellofirst") << "a single line takes the first line";
    Edit->Select(0, 1);
    Key(vkDelete, 0, ssShift);
    EXPECT_EQ(Edit->Text(), "worldhellofirst");
    EXPECT_EQ(Display.GetClipboardText().value_or(""), " ");
}

TEST_F(EditTest, ReadOnlyRefusesChangesWithABeepButCopies) {
    Edit->SetText("fixed");
    Edit->SetReadOnly(true);
    ShowForm();
    FocusEdit();
    const int beeps = Display.BeepCount();
    Type("x");
    Key(vkBack, 8);
    EXPECT_EQ(Display.BeepCount(), beeps + 2);
    Display.SetClipboardText("pasted");
    Key('V', 22, ssCtrl);
    Key('X', 24, ssCtrl);
    Key(vkDelete);
    EXPECT_EQ(Edit->Text(), "fixed");
    Key('C', 3, ssCtrl);
    EXPECT_EQ(Display.GetClipboardText().value_or(""), "fixed");
    EXPECT_EQ(Changes, 1);
}

TEST_F(EditTest, AutoSelectOnlyWhenTheFocusDoesNotComeByMouse) {
    Edit->SetText("12345");
    ShowForm();
    Other->SetFocus();
    App.ProcessMessages();
    ClickAt(10 + 118, 20);  // far right inside the edit
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->SelLength(), 0);
    EXPECT_EQ(Edit->CaretPos(), 5);
    Other->SetFocus();
    App.ProcessMessages();
    Edit->SetAutoSelect(false);
    Key(vkTab);
    EXPECT_EQ(Edit->SelLength(), 0);
}

TEST_F(EditTest, MouseDragSelects) {
    Edit->SetText("abcdef");
    ShowForm();
    MoveTo(10 + 3, 20);
    Press();
    MoveTo(10 + 118, 20);
    Release();
    EXPECT_EQ(Edit->SelLength(), 6);
    EXPECT_EQ(Edit->SelStart(), 0);
}

TEST_F(EditTest, EditRectClipsTheTextAndTheFrameIsSunken) {
    Edit->SetAutoSize(false);
    Edit->SetHeight(22);
    Edit->SetText("WWWWWWWWWWWWWWWWWWWW");
    Edit->SetColor(clWhite);
    Edit->Font().SetColor(clBlack);
    Edit->SetEditRect(Rect(0, 0, 30, 18));
    ShowForm();
    EXPECT_EQ(Edit->ClientRect(), Rect(2, 2, 118, 20));
    EXPECT_EQ(CountPixels(*this, Rect(10 + 2 + 31, 12, 10 + 118, 30), clWhite), (118 - 33) * 18)
        << "nothing drawn right of the formatting rectangle";
    EXPECT_LT(CountPixels(*this, Rect(10 + 2, 12, 10 + 32, 30), clWhite), 30 * 18);
    EXPECT_EQ(Pixel(10, 10), ColorToDrawRGB(clBtnShadow));
    EXPECT_EQ(Pixel(11, 11), ColorToDrawRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(10 + 119, 31), ColorToDrawRGB(clBtnHighlight));
}

TEST_F(EditTest, AutoSizeFollowsTheFontAndZeroSizeDoesNotFail) {
    EXPECT_GT(Edit->Height(), 0);
    const int before = Edit->Height();
    Edit->Font().SetHeight(-30);
    EXPECT_GT(Edit->Height(), before);
    Edit->SetAutoSize(false);
    Edit->SetBounds(10, 10, 0, 0);
    Edit->SetText("text");
    ShowForm();
    FocusEdit();
    Type("abc");
    EXPECT_EQ(Edit->Text(), "abc") << "the keyboard focus selected everything";
}

TEST_F(EditTest, ReadFromAFormDefinition) {
    ReadStandardForm(*Form, "object Form1: TForm\n  object txtName: TEdit\n    Left = 5\n    Top = 6\n    Width = 80\n"
                            "    Height = 21\n    MaxLength = 3\n    ReadOnly = True\n    AutoSelect = False\n"
                            "    Text = 'abc'\n    TabOrder = 0\n  end\nend\n");
    auto* edit = dynamic_cast<TEdit*>(Form->FindComponent("txtName"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->MaxLength(), 3);
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_FALSE(edit->AutoSelect());
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_FALSE(edit->Modified());
}

}  // namespace

namespace {

TEST_F(EditTest, OnlyTheSelectionIsHighlighted) {
    Edit->SetAutoSize(false);
    Edit->SetHeight(22);
    Edit->SetText("ab cdefghijkl");
    ShowForm();
    FocusEdit();
    Edit->Select(0, 1);
    App.ProcessMessages();
    const std::uint32_t highlight = ColorToDrawRGB(clHighlight);
    EXPECT_GT(CountPixels(*this, Rect(12, 12, 30, 30), highlight), 0);
    EXPECT_EQ(CountPixels(*this, Rect(40, 12, 128, 30), highlight), 0) << "text after the selection has no background";
}

}  // namespace

namespace {

TEST_F(EditTest, UndoTakesBackTheLastChangeAndCodeForgetsIt) {
    Edit->SetText("abc");
    ShowForm();
    FocusEdit();
    EXPECT_FALSE(Edit->CanUndo());
    Key(vkEnd);
    Type("d");
    Key('Z', 26, ssCtrl);
    EXPECT_EQ(Edit->Text(), "abc");
    EXPECT_EQ(Edit->CaretPos(), 3);
    Key('Z', 26, ssCtrl);
    EXPECT_EQ(Edit->Text(), "abcd") << "undoing the undo";
    Edit->SetText("new");
    EXPECT_FALSE(Edit->CanUndo());
    Key('Z', 26, ssCtrl);
    EXPECT_EQ(Edit->Text(), "new");
}

}  // namespace
