#include "SpinEditFixture.h"

#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Auto-repeat is driven by firing the arrow's repeat timer by hand: the test is the clock.
class SpinButtonTest : public ::testing::Test, public TSpinEditFixture {
protected:
    TTimerSpeedButton& Up() { return *Spin->Arrows()->UpArrow(); }
    TTimerSpeedButton& Down() { return *Spin->Arrows()->DownArrow(); }
    void Tick(TTimerSpeedButton& arrow) {
        ASSERT_NE(arrow.RepeatTimer(), nullptr);
        arrow.RepeatTimer()->Fire();
        App.ProcessMessages();
    }
};

TEST_F(SpinButtonTest, ArrowsCarryTheBuiltInGlyphsAndRepeat) {
    EXPECT_EQ(Up().Glyph()->Width(), 9);
    EXPECT_EQ(Up().Glyph()->Height(), 6);
    EXPECT_EQ(Down().Glyph()->Width(), 9);
    EXPECT_EQ(Up().Glyph()->Bitmap()->GetPixel(4, 1), clBlack) << "the tip of the up triangle";
    EXPECT_EQ(Down().Glyph()->Bitmap()->GetPixel(4, 4), clBlack) << "the tip of the down triangle";
    EXPECT_EQ(Up().Glyph()->Bitmap()->GetPixel(0, 0), clOlive);
    EXPECT_TRUE(Up().TimerButtonFlags().Contains(TTimerButtonFlag::RepeatEnabled));
    EXPECT_EQ(Spin->Arrows()->FocusedArrow(), &Up());
    EXPECT_EQ(Up().RepeatTimer(), nullptr) << "created at the first press";
}

TEST_F(SpinButtonTest, ArrowGlyphsAreDrawnWithoutTheirBackground) {
    ShowForm();
    int black = 0, olive = 0;
    for (int y = 20 + 2; y < 20 + 2 + 17; ++y)
        for (int x = 19 + 28; x < 19 + 28 + 15; ++x) {
            black += Pixel(x, y) == clBlack;
            olive += Pixel(x, y) == clOlive;
        }
    EXPECT_EQ(black, 2 * (1 + 3 + 5 + 7));
    EXPECT_EQ(olive, 0);
}

TEST_F(SpinButtonTest, AShortClickStepsOnceAtTheRelease) {
    ShowForm();
    MoveTo(UpX, UpY);
    Press();
    EXPECT_EQ(Spin->Text(), "10");
    Release();
    EXPECT_EQ(Spin->Text(), "11");
    ClickAt(DownX, DownY);
    EXPECT_EQ(Spin->Text(), "10");
}

TEST_F(SpinButtonTest, HoldingRepeatsAfter400ThenEvery100Milliseconds) {
    ShowForm();
    MoveTo(UpX, UpY);
    Press();
    TTimer* timer = Up().RepeatTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->Armed());
    EXPECT_EQ(timer->Interval(), 400u);
    Tick(Up());
    EXPECT_EQ(Spin->Text(), "11");
    EXPECT_EQ(timer->Interval(), 100u);
    Tick(Up());
    Tick(Up());
    EXPECT_EQ(Spin->Text(), "13");
    Release();
    EXPECT_EQ(Spin->Text(), "14") << "and once more at a release over the arrow";
    EXPECT_FALSE(timer->Armed());

    Press();
    EXPECT_EQ(timer->Interval(), 400u) << "every press arms 400 ms again";
    Release();
}

TEST_F(SpinButtonTest, OffTheArrowTheTicksDoNothingAndTheReleaseAddsNone) {
    ShowForm();
    MoveTo(UpX, UpY);
    Press();
    Tick(Up());
    EXPECT_EQ(Spin->Text(), "11");
    MoveTo(UpX + 40, UpY + 40);
    Tick(Up());
    Tick(Up());
    EXPECT_EQ(Spin->Text(), "11");
    MoveTo(UpX, UpY);
    Tick(Up());
    EXPECT_EQ(Spin->Text(), "12");
    MoveTo(UpX + 40, UpY + 40);
    Release();
    EXPECT_EQ(Spin->Text(), "12");
    EXPECT_FALSE(Up().RepeatTimer()->Armed());
}

TEST_F(SpinButtonTest, AFailingRepeatedClickStopsTheTimerAndPassesTheFailureOn) {
    ShowForm();
    MoveTo(UpX, UpY);
    Press();
    Spin->SetOnChange([](TObject*) { throw std::runtime_error("handler failed"); });
    EXPECT_THROW(Up().RepeatTimer()->Fire(), std::runtime_error);
    EXPECT_FALSE(Up().RepeatTimer()->Armed());
    Spin->SetOnChange(nullptr);
    Release();
}

TEST_F(SpinButtonTest, PressOnAnArrowFirstMovesTheFocusIntoTheEdit) {
    ShowForm();
    Other->SetFocus();
    App.ProcessMessages();
    MoveTo(UpX, UpY);
    Press();
    EXPECT_TRUE(Spin->Focused());
    EXPECT_FALSE(Spin->Arrows()->Focused()) << "the pair is no tab stop";
    Release();
    EXPECT_EQ(Spin->Text(), "11");
    EXPECT_FALSE(Up().TimerButtonFlags().Contains(TTimerButtonFlag::ShowFocusRect));
}

TEST_F(SpinButtonTest, AFocusablePairStepsWithItsKeysAndShowsTheFocusedArrow) {
    auto& pair = Form->CreateComponent<TSpinButton>();
    pair.SetParent(Form);
    pair.SetBounds(200, 20, 20, 25);
    pair.SetTabStop(true);
    int ups = 0, downs = 0;
    pair.SetOnUpClick([&](TObject* sender) { ups += sender == &pair; });
    pair.SetOnDownClick([&](TObject* sender) { downs += sender == &pair; });
    ShowForm();
    pair.SetFocus();
    App.ProcessMessages();
    EXPECT_TRUE(pair.UpArrow()->TimerButtonFlags().Contains(TTimerButtonFlag::ShowFocusRect));
    Key(vkDown);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(pair.FocusedArrow(), pair.DownArrow());
    EXPECT_FALSE(pair.UpArrow()->TimerButtonFlags().Contains(TTimerButtonFlag::ShowFocusRect));
    EXPECT_TRUE(pair.DownArrow()->TimerButtonFlags().Contains(TTimerButtonFlag::ShowFocusRect));
    Key(vkSpace, ' ');
    EXPECT_EQ(downs, 2);
    Key(vkUp);
    EXPECT_EQ(ups, 1);
    EXPECT_TRUE(pair.Focused()) << "the pair keeps its arrow keys";
    Other->SetFocus();
    App.ProcessMessages();
    EXPECT_FALSE(pair.UpArrow()->TimerButtonFlags().Contains(TTimerButtonFlag::ShowFocusRect));
}

TEST_F(SpinButtonTest, LayoutOfThePair) {
    auto& pair = Form->CreateComponent<TSpinButton>();
    EXPECT_EQ(pair.Width(), 20);
    EXPECT_EQ(pair.Height(), 25);
    EXPECT_EQ(pair.UpArrow()->BoundsRect(), Bounds(0, 0, 20, 12));
    EXPECT_EQ(pair.DownArrow()->BoundsRect(), Bounds(0, 11, 20, 14));
    pair.SetBounds(0, 0, 5, 17);
    EXPECT_EQ(pair.Width(), 15) << "never narrower than 15";
    pair.SetBounds(0, 0, 15, 0);
    EXPECT_EQ(pair.UpArrow()->Height(), 0);
    EXPECT_EQ(pair.DownArrow()->BoundsRect(), Bounds(0, -1, 15, 1));
}

TEST_F(SpinButtonTest, GlyphsCanBeReplacedAndReset) {
    TSpinButton& pair = *Spin->Arrows();
    TPicture picture;
    TBitmap glyph(4, 2, TPixelFormat::pf24bit);
    glyph.Fill(clRed);
    picture.SetBitmap(glyph);
    pair.SetUpGlyph(&picture);
    EXPECT_EQ(pair.UpGlyph()->Width(), 4);
    pair.SetUpNumGlyphs(2);
    EXPECT_EQ(pair.UpArrow()->NumGlyphs(), 2);
    pair.SetUpGlyph(nullptr);
    EXPECT_EQ(pair.UpGlyph()->Width(), 9);
    EXPECT_EQ(pair.UpNumGlyphs(), 1);
    pair.SetDownGlyph(nullptr);
    EXPECT_EQ(pair.DownGlyph()->Height(), 6);
}

TEST_F(SpinButtonTest, TheFocusControlIsForgottenWhenItGoes) {
    auto& pair = Form->CreateComponent<TSpinButton>();
    pair.SetFocusControl(Other);
    Other->Free();
    Other = nullptr;
    EXPECT_EQ(pair.FocusControl(), nullptr);
}

TEST_F(SpinButtonTest, FocusRectangleIsDrawnInsideTheArrow) {
    auto& arrow = Form->CreateComponent<TTimerSpeedButton>();
    arrow.SetParent(Form);
    arrow.SetBounds(200, 100, 20, 20);
    ShowForm();
    const std::uint32_t before = Pixel(200 + 3, 100 + 3);
    arrow.SetTimerButtonFlags(TTimerButtonFlags{TTimerButtonFlag::ShowFocusRect});
    App.ProcessMessages();
    EXPECT_NE(Pixel(200 + 3, 100 + 3), before);
    EXPECT_EQ(Pixel(200 + 2, 100 + 2), ColorToDrawRGB(clBtnFace));
}

}  // namespace
