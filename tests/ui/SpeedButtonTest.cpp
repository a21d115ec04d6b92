#include "StandardControlsSupport.h"

#include "ui/SpeedButton.h"

#include <gtest/gtest.h>

namespace {

class SpeedButtonTest : public ::testing::Test, public TFormFixture {
protected:
    SpeedButtonTest() {
        Button = &Form->CreateComponent<TSpeedButton>();
        Button->SetParent(Form);
        Button->SetBounds(20, 20, 11, 11);
        Button->SetOnClick([this](TObject*) { Log.push_back("click"); });
        Button->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int) {
            Log.push_back(std::string("mousedown ") + (Button->State() == bsDown ? "down" : "up"));
        });
    }
    // A 3 x 3 glyph: red with a white (transparent) bottom-left corner.
    static TBitmap Glyph() {
        TBitmap b(3, 3, TPixelFormat::pf24bit);
        b.Fill(clRed);
        b.SetPixel(0, 2, clWhite);
        return b;
    }
    TSpeedButton* Button = nullptr;
    TLog Log;
};

TEST_F(SpeedButtonTest, PressCapturesAndAReleaseOverTheButtonClicksOnce) {
    ShowForm();
    MoveTo(25, 25);
    Press();
    EXPECT_EQ(Button->State(), bsDown);
    EXPECT_TRUE(Button->Dragging());
    EXPECT_EQ(Form->CaptureControl(), Button);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0], "mousedown down") << "the notice comes after the button's own handling";
    Release();
    EXPECT_EQ(Button->State(), bsUp);
    EXPECT_EQ(Log, (TLog{"mousedown down", "click"}));
}

TEST_F(SpeedButtonTest, UpWhileThePointerIsOffAndNoClickWhenReleasedThere) {
    ShowForm();
    MoveTo(25, 25);
    Press();
    MoveTo(60, 60);
    EXPECT_EQ(Button->State(), bsUp);
    MoveTo(22, 22);
    EXPECT_EQ(Button->State(), bsDown);
    MoveTo(60, 60);
    Release();
    EXPECT_EQ(Button->State(), bsUp);
    EXPECT_EQ(Log, (TLog{"mousedown down"}));
}

TEST_F(SpeedButtonTest, OtherButtonsAndDisabledButtonsDoNotPress) {
    ShowForm();
    MoveTo(25, 25);
    Press(mbRight);
    EXPECT_EQ(Button->State(), bsUp);
    Release(mbRight);
    Button->SetEnabled(false);
    ClickAt(25, 25);
    EXPECT_EQ(Button->State(), bsDisabled);
    EXPECT_EQ(Log, (TLog{"mousedown up"}));
}

TEST_F(SpeedButtonTest, RaisedAndSunkenFacesWithTheGlyphCentredAndMovedWhileDown) {
    Button->SetGlyphBitmap(Glyph());
    ShowForm();
    EXPECT_EQ(Button->GlyphRect(), Rect(4, 4, 7, 7));
    EXPECT_EQ(Pixel(20, 20), ColorToDrawRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(30, 30), ColorToDrawRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(24, 24), clRed);
    EXPECT_EQ(Pixel(24, 26), ColorToDrawRGB(clBtnFace)) << "the glyph's transparent colour";
    MoveTo(25, 25);
    Press();
    EXPECT_EQ(Pixel(20, 20), ColorToDrawRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(30, 30), ColorToDrawRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(24, 24), ColorToDrawRGB(clBtnFace));
    EXPECT_EQ(Pixel(25, 25), clRed) << "moved one pixel right and down";
    EXPECT_EQ(Pixel(27, 27), clRed);
    Release();
}

TEST_F(SpeedButtonTest, GroupedButtonsStayDownOneAtATime) {
    auto& second = Form->CreateComponent<TSpeedButton>();
    second.SetParent(Form);
    second.SetBounds(40, 20, 11, 11);
    Button->SetGroupIndex(1);
    second.SetGroupIndex(1);
    ShowForm();
    ClickAt(25, 25);
    EXPECT_TRUE(Button->Down());
    ClickAt(45, 25);
    EXPECT_TRUE(second.Down());
    EXPECT_FALSE(Button->Down());
    ClickAt(45, 25);
    EXPECT_TRUE(second.Down()) << "without AllowAllUp the last one stays down";
    second.SetAllowAllUp(true);
    ClickAt(45, 25);
    EXPECT_FALSE(second.Down());
}

TEST_F(SpeedButtonTest, EmptyCaptionLoneAmpersandAndZeroSize) {
    Button->SetCaption("&");
    Button->SetGlyphBitmap(Glyph());
    Button->SetNumGlyphs(4);
    Button->SetBounds(20, 20, 0, 0);
    ShowForm();
    Button->SetEnabled(false);
    App.ProcessMessages();
    Key('x', 'x', ssAlt);
    EXPECT_TRUE(Log.empty());
}

}  // namespace
