#include "StandardControlsSupport.h"

#include "ui/ScrollBox.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The thumbnail row of the configuration dialog: ten 105 x 85 controls 111 pixels apart.
class ScrollBoxTest : public ::testing::Test, public TFormFixture {
protected:
    ScrollBoxTest() {
        Form->SetBounds(FormLeft, FormTop, 500, 200);
        Box = &Form->CreateComponent<TScrollBox>();
        Box->SetParent(Form);
        Box->SetBounds(3, 0, 436, 121);
        for (int n = 1; n <= 10; ++n) {
            auto& t = Form->CreateComponent<TFillGraphic>();
            t.SetParent(Box);
            t.SetBounds(5 + 111 * (n - 1), n <= 7 ? 7 : 5, 105, 85);
            t.SetColor(n % 2 ? clRed : clYellow);
            Thumbs.push_back(&t);
        }
    }
    // Box client coordinates to form coordinates.
    void BoxClick(int x, int y) { ClickAt(3 + x, y); }

    TScrollBox* Box = nullptr;
    std::vector<TFillGraphic*> Thumbs;
};

TEST_F(ScrollBoxTest, TheThumbnailRowNeedsAHorizontalScrollBar) {
    EXPECT_EQ(Box->Range(), 1109) << "the controls' right edge, counted from inside the frame";
    EXPECT_EQ(Box->Page(), 432);
    EXPECT_TRUE(Box->ScrollBarShowing());
    EXPECT_EQ(Box->ClientRect(), Rect(2, 2, 434, 121 - 2 - 17));
    const TScrollBarLayout bar = Box->BarLayout();
    EXPECT_EQ(bar.Bar, Rect(2, 102, 434, 119));
    EXPECT_EQ(bar.LeftArrow, Rect(2, 102, 19, 119));
    EXPECT_EQ(bar.RightArrow, Rect(417, 102, 434, 119));
    EXPECT_EQ(bar.Thumb.Left, 19);
    EXPECT_EQ(bar.Thumb.Width(), 398 * 432 / 1109);
}

TEST_F(ScrollBoxTest, NoScrollBarWhenTheControlsFit) {
    for (std::size_t i = 3; i < Thumbs.size(); ++i) Thumbs[i]->Hide();
    EXPECT_FALSE(Box->ScrollBarShowing());
    EXPECT_EQ(Box->ClientRect(), Rect(2, 2, 434, 119));
    Box->SetPosition(50);
    EXPECT_EQ(Box->Position(), 0);
    Box->HorzScrollBar()->SetVisible(false);
    for (auto* t : Thumbs) t->Show();
    EXPECT_FALSE(Box->ScrollBarShowing()) << "a hidden bar stays hidden";
}

TEST_F(ScrollBoxTest, ArrowsScrollByTheIncrementAndMoveTheControls) {
    ShowForm();
    BoxClick(425, 110);  // right arrow
    EXPECT_EQ(Box->Position(), 8);
    EXPECT_EQ(Thumbs[0]->Left(), 5 - 8);
    EXPECT_EQ(Thumbs[9]->Left(), 1004 - 8);
    BoxClick(10, 110);  // left arrow
    BoxClick(10, 110);  // and once more: stops at 0
    EXPECT_EQ(Box->Position(), 0);
    EXPECT_EQ(Thumbs[0]->Left(), 5);
    EXPECT_EQ(Thumbs[0]->Top(), 7) << "only horizontal scrolling";
}

TEST_F(ScrollBoxTest, TrackPagesAndTheEndIsTheLastControlsRightEdge) {
    ShowForm();
    BoxClick(400, 110);  // track right of the thumb
    EXPECT_EQ(Box->Position(), 432);
    BoxClick(400, 110);
    EXPECT_EQ(Box->Position(), 1109 - 432);
    EXPECT_EQ(Thumbs[9]->Left() + Thumbs[9]->Width(), 432) << "the last thumbnail ends at the client edge";
    EXPECT_EQ(Box->BarLayout().Thumb.Right, 417);
    BoxClick(100, 110);  // track left of the thumb
    EXPECT_EQ(Box->Position(), 1109 - 432 - 432);
}

TEST_F(ScrollBoxTest, DraggingTheThumbScrollsProportionally) {
    Box->HorzScrollBar()->SetTracking(true);
    ShowForm();
    const TRect thumb = Box->BarLayout().Thumb;
    MoveTo(3 + thumb.Left + 5, 110);
    Press();
    MoveTo(3 + thumb.Left + 5 + 100, 110);
    const int free = 398 - thumb.Width();
    EXPECT_EQ(Box->Position(), (100 * 677 * 2 + free) / (2 * free));
    MoveTo(3 + 430 + 60, 110);  // past the end of the bar: captured, clamped
    EXPECT_EQ(Box->Position(), 677);
    Release();
    MoveTo(3 + 200, 110);
    EXPECT_EQ(Box->Position(), 677) << "released: no more dragging";
}

TEST_F(ScrollBoxTest, ControlsAreClippedToTheClientAreaAndClicksReachThem) {
    int clicked = 0;
    Thumbs[1]->SetOnClick([&](TObject*) { ++clicked; });
    ShowForm();
    Box->SetPosition(120);  // thumbnail 2 now at 116 - 120 = -4: straddles the left frame
    App.ProcessMessages();
    EXPECT_EQ(Thumbs[1]->Left(), -4);
    EXPECT_EQ(Pixel(3 + 0, 50), ColorToDrawRGB(clBtnShadow)) << "the frame stays on top";
    EXPECT_EQ(Pixel(3 + 1, 50), ColorToDrawRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(3 + 2, 50), clYellow);
    EXPECT_NE(Pixel(3 + 200, 110), clRed) << "the bar is drawn, not a thumbnail";
    BoxClick(10, 50);
    EXPECT_EQ(clicked, 1);
}

TEST_F(ScrollBoxTest, ScrollInViewAndReadingFromAFormDefinition) {
    Box->ScrollInView(Thumbs[6]);
    EXPECT_EQ(Thumbs[6]->Left() + 105, 432);
    Box->ScrollInView(Thumbs[0]);
    EXPECT_EQ(Thumbs[0]->Left(), 0);

    ReadStandardForm(*Form, "object Form1: TForm\n  object sclImgs: TScrollBox\n    Left = 3\n    Top = 0\n"
                            "    Width = 436\n    Height = 121\n    TabOrder = 0\n    HorzScrollBar.Increment = 20\n"
                            "    BorderStyle = bsNone\n  end\nend\n");
    auto* box = dynamic_cast<TScrollBox*>(Form->FindComponent("sclImgs"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->HorzScrollBar()->Increment(), 20);
    EXPECT_EQ(box->BorderStyle(), bsNone);
    EXPECT_FALSE(box->ScrollBarShowing());
}

TEST_F(ScrollBoxTest, TinyBoxesDoNotFail) {
    Box->SetBounds(3, 0, 10, 3);
    ShowForm();
    Box->SetPosition(1000);
    BoxClick(5, 1);
    Box->SetBounds(3, 0, 0, 0);
    App.ProcessMessages();
    EXPECT_EQ(Box->ClientRect().Width(), 0);
    Thumbs[9]->SetLeft(INT_MAX - 10);  // far out: the range stays positive
    EXPECT_GT(Box->Range(), 0);
    Thumbs[8]->SetBounds(INT_MAX, INT_MAX, 105, 50);  // its place in the form saturates
    EXPECT_GT(Box->Range(), 0);
    Thumbs[8]->SetBounds(INT_MIN, INT_MIN, 105, 50);
    Box->SetBounds(3, 0, 100, 50);
    Box->SetPosition(INT_MAX);
    EXPECT_GT(Box->Position(), 0);
}

}  // namespace

namespace {

TEST_F(ScrollBoxTest, WithoutTrackingTheControlsScrollAtTheRelease) {
    ShowForm();
    const TRect thumb = Box->BarLayout().Thumb;
    MoveTo(3 + thumb.Left + 5, 110);
    Press();
    MoveTo(3 + thumb.Left + 105, 110);
    EXPECT_EQ(Box->Position(), 0);
    EXPECT_EQ(Box->BarLayout().Thumb.Left, thumb.Left + 100) << "the thumb follows the pointer";
    Release();
    EXPECT_EQ(Box->Position(), 279) << "100 of the 243 free track pixels: 100 * 677 / 243, rounded";
    EXPECT_EQ(Thumbs[0]->Left(), 5 - 279);
}

}  // namespace

namespace {

TEST_F(ScrollBoxTest, ControlsArePlacedFromInsideTheFrame) {
    ShowForm();
    // Thumbnail 1 at 5, 7 lies 7, 9 from the box's outer corner: inside the 2-pixel frame.
    EXPECT_EQ(Thumbs[0]->FormOrigin(), (TPoint{3 + 7, 0 + 9}));
    EXPECT_EQ(Pixel(3 + 7, 9), clRed);
    EXPECT_NE(Pixel(3 + 6, 9), clRed);
    EXPECT_NE(Pixel(3 + 7, 8), clRed);
    EXPECT_EQ(Pixel(3 + 7 + 104, 9 + 84), clRed) << "the last pixel of the 105 x 85 control";
    const TPoint zero = Thumbs[0]->ClientToScreen(TPoint{});
    EXPECT_EQ(zero, (TPoint{FormLeft + 3 + 7, FormTop + 9}));
    EXPECT_EQ(Thumbs[0]->ScreenToClient(zero), TPoint{});

    // Hit testing follows the drawing: the outer column 3 + 6 is the gap before thumbnail 1.
    int clicked = 0;
    Thumbs[0]->SetOnClick([&](TObject*) { ++clicked; });
    BoxClick(6, 20);
    EXPECT_EQ(clicked, 0);
    BoxClick(7, 9);
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(Box->ControlAtPos(TPoint{7, 9}), Thumbs[0]) << "box coordinates count from its outer corner";
    EXPECT_EQ(Box->ControlAtPos(TPoint{6, 9}), nullptr);
}

TEST_F(ScrollBoxTest, WithoutAFrameTheControlsCountFromTheOuterCorner) {
    ShowForm();
    Box->SetBorderStyle(bsNone);
    App.ProcessMessages();
    EXPECT_EQ(Thumbs[0]->FormOrigin(), (TPoint{3 + 5, 7}));
    EXPECT_EQ(Pixel(3 + 5, 7), clRed);
    EXPECT_EQ(Box->Range(), 1109);
    Box->SetBorderStyle(bsSingle);
    App.ProcessMessages();
    EXPECT_EQ(Thumbs[0]->FormOrigin(), (TPoint{3 + 7, 9})) << "the frame back: the controls move inside it";
    EXPECT_EQ(Pixel(3 + 7, 9), clRed);
}

}  // namespace
