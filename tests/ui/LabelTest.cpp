#include "StandardControlsSupport.h"

#include "ui/Label.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

#include <gtest/gtest.h>

namespace {

class LabelTest : public ::testing::Test, public TFormFixture {
protected:
    TLabel& AddLabel(const std::string& caption, int left = 10, int top = 10) {
        auto& label = Form->CreateComponent<TLabel>();
        label.SetParent(Form);
        label.SetLeft(left);
        label.SetTop(top);
        label.SetCaption(caption);
        return label;
    }
    TSize TextSize(const std::string& text, const TFont& font) {
        TRect r{0, 0, 0, 0};
        DrawFormattedText(nullptr, font, text, r, DT_CALCRECT | DT_EXPANDTABS);
        return TSize{r.Right, r.Bottom};
    }
};

TEST_F(LabelTest, AutoSizeFitsTheCaptionAndAnEmptyCaptionKeepsOneLineHigh) {
    auto& label = AddLabel("Designed by:");
    const TSize size = TextSize("Designed by:", label.Font());
    EXPECT_EQ(label.Width(), size.cx);
    EXPECT_EQ(label.Height(), size.cy);

    label.SetCaption("");
    EXPECT_EQ(label.Width(), TextSize(" ", label.Font()).cx);
    EXPECT_EQ(label.Height(), size.cy) << "an empty caption is measured as a blank";

    label.SetCaption("&");
    EXPECT_EQ(label.Width(), TextSize(" ", label.Font()).cx) << "a lone ampersand shows nothing";
    EXPECT_EQ(label.Height(), size.cy);
}

TEST_F(LabelTest, RightJustifiedAutoSizeKeepsTheRightEdge) {
    auto& label = AddLabel("x");
    label.SetAutoSize(false);
    label.SetBounds(100, 10, 80, 20);
    label.SetAlignment(taRightJustify);
    label.SetAutoSize(true);
    EXPECT_EQ(label.Left() + label.Width(), 180);
}

TEST_F(LabelTest, WithoutAutoSizeTheBoundsStay) {
    auto& label = AddLabel("x");
    label.SetAutoSize(false);
    label.SetBounds(3, 127, 239, 26);
    label.SetCaption("A much longer status message than before");
    EXPECT_EQ(label.Width(), 239);
    EXPECT_EQ(label.Height(), 26);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsInHeight) {
    auto& label = AddLabel("one two three four five six seven");
    const int oneLine = label.Height();
    label.SetWordWrap(true);
    label.SetAutoSize(false);
    label.SetWidth(40);
    label.SetAutoSize(true);
    EXPECT_LE(label.Width(), 40);
    EXPECT_GT(label.Height(), 2 * oneLine);
}

TEST_F(LabelTest, OpaqueLabelFillsItsColourAndTransparentOneLeavesTheParent) {
    auto& opaque = AddLabel("", 10, 10);
    opaque.SetAutoSize(false);
    opaque.SetBounds(10, 10, 30, 20);
    opaque.SetColor(clRed);
    auto& clear = AddLabel("", 60, 10);
    clear.SetAutoSize(false);
    clear.SetBounds(60, 10, 30, 20);
    clear.SetColor(clRed);
    clear.SetTransparent(true);
    ShowForm();
    EXPECT_EQ(Pixel(12, 12), clRed);
    EXPECT_EQ(Pixel(38, 28), clRed);
    EXPECT_EQ(Pixel(62, 12), clBlue) << "the form's colour shows through";
}

TEST_F(LabelTest, TakesTheParentsColourUnlessGivenOne) {
    auto& label = AddLabel("");
    EXPECT_EQ(label.Color(), clBlue);
    Form->SetColor(clGreen);
    EXPECT_EQ(label.Color(), clGreen);
    label.SetColor(clRed);
    EXPECT_FALSE(label.ParentColor());
}

TEST_F(LabelTest, LayoutPlacesTheTextAtTopCentreOrBottom) {
    auto find = [&](TTextLayout layout) {
        auto& label = AddLabel("Mg");
        label.SetAutoSize(false);
        label.SetBounds(10, 10, 60, 60);
        label.SetColor(clWhite);
        label.Font().SetColor(clBlack);
        label.SetLayout(layout);
        ShowForm();
        int first = -1, last = -1;
        for (int y = 10; y < 70; ++y)
            for (int x = 10; x < 70; ++x)
                if (Pixel(x, y) != clWhite) {
                    if (first < 0) first = y;
                    last = y;
                }
        label.Free();
        return std::pair{first, last};
    };
    const auto top = find(tlTop);
    const auto centre = find(tlCenter);
    const auto bottom = find(tlBottom);
    ASSERT_GE(top.first, 0);
    EXPECT_LT(top.first, 10 + 15);
    EXPECT_GT(bottom.second, 10 + 45);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 40.0, 4.0);
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControlAndForgetsItWhenItGoes) {
    auto& target = Form->CreateComponent<TLogControl>(nullptr, "target");
    target.SetParent(Form);
    target.SetBounds(100, 100, 20, 20);
    auto& label = AddLabel("&Name");
    label.SetFocusControl(&target);
    ShowForm();
    Key('N', 'n', ssAlt);
    EXPECT_TRUE(target.Focused());
    target.Free();
    EXPECT_EQ(label.FocusControl(), nullptr);
    Key('N', 'n', ssAlt);  // no control any more: nothing happens
}

TEST_F(LabelTest, ReadFromAFormDefinition) {
    ReadStandardForm(*Form,
                     "object Form1: TForm\n"
                     "  object lblInfo: TLabel\n"
                     "    Left = 3\n    Top = 127\n    Width = 239\n    Height = 26\n"
                     "    AutoSize = False\n    Layout = tlCenter\n    Alignment = taCenter\n"
                     "    WordWrap = True\n    Transparent = True\n    Cursor = crHandPoint\n    Tag = 4\n"
                     "    Font.Style = [fsBold]\n    ParentFont = False\n    Caption = ''\n"
                     "  end\n"
                     "  object Label4: TLabel\n    Left = 190\n    Top = 63\n    Caption = 'The Veltrane developers'\n  end\n"
                     "end\n");
    auto* info = dynamic_cast<TLabel*>(Form->FindComponent("lblInfo"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Width(), 239);
    EXPECT_EQ(info->Height(), 26);
    EXPECT_EQ(info->Layout(), tlCenter);
    EXPECT_EQ(info->Alignment(), taCenter);
    EXPECT_TRUE(info->WordWrap());
    EXPECT_TRUE(info->Transparent());
    EXPECT_EQ(info->Cursor(), crHandPoint);
    EXPECT_EQ(info->Tag(), 4);
    auto* credits = dynamic_cast<TLabel*>(Form->FindComponent("Label4"));
    ASSERT_NE(credits, nullptr);
    EXPECT_EQ(credits->Width(), TextSize("The Veltrane developers", credits->Font()).cx)
        << "auto-sized once the definition is loaded";
}

}  // namespace
