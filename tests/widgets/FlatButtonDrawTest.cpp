#include "widgets/FlatButtonDraw.h"

#include "WidgetPixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace widgettest;

namespace {

constexpr TColor Fill = 0x00794000;
constexpr TColor Frame = 0x006B2408;
constexpr TColor Blank = 0x00E0FFFF;
constexpr TColor Mark = 0x00102030;
constexpr TColor Ink = 0x000000FF;

TFont CaptionFont() {
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetColor(Ink);
    return font;
}

TFlatButtonFace PushFace(int width = 75, int height = 25) {
    TFlatButtonFace face;
    face.Font = CaptionFont();
    face.Color = Fill;
    face.BorderColor = Frame;
    face.Width = width;
    face.Height = height;
    return face;
}

TFlatButtonFace RadioFace(std::string caption, int width, int height) {
    TFlatButtonFace face = PushFace(width, height);
    face.Kind = fbkRadioButton;
    face.Caption = std::move(caption);
    face.BlankColor = Blank;
    face.MarkColor = Mark;
    return face;
}

TBitmap Paint(const TFlatButtonFace& face) {
    TBitmap bitmap = PaperBitmap(face.Width, face.Height);
    PaintFlatButton(bitmap.Canvas(), face, PlanFlatButton(face));
    return bitmap;
}

int TextWidth(const std::string& text) { return TTextRenderer::TextExtent(CaptionFont(), text).cx; }
int TextHeight(const std::string& text) { return TTextRenderer::TextExtent(CaptionFont(), text).cy; }

// An image list of solid squares: image n is filled with colour Base + n.
class TSquareImages : public TFlatButtonImages {
public:
    TSquareImages(int size, int count) : FSize(size), FCount(count) {}
    static constexpr TColor Base = 0x0000C000;
    int ImageWidth() const override { return FSize; }
    int ImageHeight() const override { return FSize; }
    int ImageCount() const override { return FCount; }
    void DrawImage(TCanvas& canvas, int x, int y, int index) const override {
        TCanvasState keep(canvas);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Base + static_cast<TColor>(index));
        canvas.FillRect(Bounds(x, y, FSize, FSize));
    }

private:
    int FSize;
    int FCount;
};

// Whether exactly the frame rows and columns of rect's outermost `lines` rings have colour.
void ExpectFrame(const TBitmap& b, int lines, TColor frame, TColor inside) {
    const int w = b.Width(), h = b.Height();
    for (int i = 0; i < lines; ++i) {
        EXPECT_TRUE(AllColor(b, frame, Rect(i, i, w - i, i + 1))) << "top line " << i;
        EXPECT_TRUE(AllColor(b, frame, Rect(i, h - 1 - i, w - i, h - i))) << "bottom line " << i;
        EXPECT_TRUE(AllColor(b, frame, Rect(i, i, i + 1, h - i))) << "left line " << i;
        EXPECT_TRUE(AllColor(b, frame, Rect(w - 1 - i, i, w - i, h - i))) << "right line " << i;
    }
    EXPECT_TRUE(AllColor(b, inside, Rect(lines, lines, w - lines, h - lines)));
}

} // namespace

// --- accelerators ---------------------------------------------------------------------

TEST(FlatButtonAccelerator, SingleAmpersandMarksTheNextLetter) {
    EXPECT_EQ(ParseAccelerator("&Ok").Text, "Ok");
    EXPECT_EQ(ParseAccelerator("&Ok").Accel, 1);
    EXPECT_EQ(ParseAccelerator("&Cancel").Accel, 1);
    EXPECT_EQ(ParseAccelerator("Set &the image").Text, "Set the image");
    EXPECT_EQ(ParseAccelerator("Set &the image").Accel, 5);
    EXPECT_EQ(AcceleratorOf("&Cancel"), 'C');
}

TEST(FlatButtonAccelerator, DoubledTrailingAndRepeatedAmpersands) {
    EXPECT_EQ(ParseAccelerator("a&&b").Text, "a&b");
    EXPECT_EQ(ParseAccelerator("a&&b").Accel, 0);
    EXPECT_EQ(ParseAccelerator("ab&").Text, "ab&");
    EXPECT_EQ(ParseAccelerator("ab&").Accel, 0);
    // Of two single ampersands the second one counts.
    EXPECT_EQ(ParseAccelerator("&a&b").Text, "ab");
    EXPECT_EQ(AcceleratorOf("&a&b"), 'b');
    EXPECT_EQ(ParseAccelerator("&&&x").Text, "&x");
    EXPECT_EQ(AcceleratorOf("&&&x"), 'x');
}

TEST(FlatButtonAccelerator, EmptyAndLoneAmpersandHaveNone) {
    EXPECT_EQ(ParseAccelerator("").Text, "");
    EXPECT_EQ(AcceleratorOf(""), '\0');
    EXPECT_EQ(ParseAccelerator("&").Text, "&");
    EXPECT_EQ(AcceleratorOf("&"), '\0');
    EXPECT_EQ(ParseAccelerator("&&").Text, "&");
    EXPECT_EQ(AcceleratorOf("&&"), '\0');
}

TEST(FlatButtonLayout, CenterOffsetTruncatesTowardZero) {
    EXPECT_EQ(CenterOffset(10, 0, 13), -1);
    EXPECT_EQ(CenterOffset(25, 1, 11), 7);
    EXPECT_EQ(CenterOffset(0, 0, 0), 0);
    EXPECT_EQ(CenterOffset(INT_MAX, 0, INT_MIN), 1 << 24); // kept within a drawable range
}

// --- push button face -----------------------------------------------------------------

TEST(FlatButtonFace, FillAndOneFrameLine) {
    ExpectFrame(Paint(PushFace()), 1, Frame, Fill);
}

TEST(FlatButtonFace, FocusedBorderStyleDrawsTwoLinesAtTheSameSize) {
    TFlatButtonFace face = PushFace();
    face.Focused = true;
    ExpectFrame(Paint(face), 2, Frame, Fill);
    face.FocusStyle = ffsNone;
    ExpectFrame(Paint(face), 1, Frame, Fill);
}

TEST(FlatButtonFace, NoBorderColourDrawsNoFrame) {
    TFlatButtonFace face = PushFace();
    face.BorderColor = clNone;
    face.Focused = true;
    const TBitmap b = Paint(face);
    EXPECT_TRUE(AllColor(b, Fill, Rect(0, 0, 75, 25)));
    EXPECT_EQ(PlanFlatButton(face).Border, 0);
}

TEST(FlatButtonFace, CaptionIsCentredInsideTheFrame) {
    TFlatButtonFace face = PushFace();
    face.Caption = "Ok";
    const TFlatButtonPlan plan = PlanFlatButton(face);
    EXPECT_EQ(plan.TextSize.cx, TextWidth("Ok"));
    EXPECT_EQ(plan.TextPos.X, 1 + (75 - 2 - TextWidth("Ok")) / 2);
    EXPECT_EQ(plan.TextPos.Y, 1 + (25 - 2 - TextHeight("Ok")) / 2);
    const TBitmap b = Paint(face);
    const TRect ink = InkBounds(b, Fill);
    // Only the frame and the caption differ from the fill.
    EXPECT_EQ(ink, Rect(0, 0, 75, 25));
    TBitmap inner = PaperBitmap(73, 23);
    for (int y = 1; y < 24; ++y)
        for (int x = 1; x < 74; ++x) inner.SetPixel(x - 1, y - 1, b.GetPixel(x, y));
    const TRect text = InkBounds(inner, Fill);
    // Anti-aliased edges may reach one pixel past the advances on either side.
    EXPECT_GE(text.Left + 1, plan.TextPos.X);
    EXPECT_LE(text.Right + 1, plan.TextPos.X + plan.TextSize.cx + 1);
}

TEST(FlatButtonFace, AcceleratorUnderlinesOnlyItsLetter) {
    TFlatButtonFace plain = PushFace();
    plain.Caption = "Ok";
    TFlatButtonFace marked = PushFace();
    marked.Caption = "&Ok";
    const TBitmap a = Paint(plain), b = Paint(marked);
    const TFlatButtonPlan plan = PlanFlatButton(marked);
    ASSERT_EQ(plan.TextPos, PlanFlatButton(plain).TextPos);
    const int letterLeft = plan.TextPos.X, letterRight = plan.TextPos.X + TextWidth("O");
    int differing = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                ++differing;
                EXPECT_GE(x, letterLeft);
                EXPECT_LT(x, letterRight);
            }
    EXPECT_GT(differing, 0);
}

TEST(FlatButtonFace, DoubledAmpersandAndUnderlinedFontDrawOnePiece) {
    TFlatButtonFace doubled = PushFace();
    doubled.Caption = "Ok&&";
    TFlatButtonFace single = PushFace();
    single.Caption = "Ok&"; // a final ampersand is shown as it is
    EXPECT_EQ(FirstDifference(Paint(doubled), Paint(single)), "");

    TFlatButtonFace underlined = PushFace();
    underlined.Font.SetStyle({fsUnderline});
    underlined.Caption = "&Ok";
    EXPECT_FALSE(PlanFlatButton(underlined).SplitCaption);
    TFlatButtonFace whole = underlined;
    whole.Caption = "Ok";
    EXPECT_EQ(FirstDifference(Paint(underlined), Paint(whole)), "");
}

TEST(FlatButtonFace, TrailingAmpersandStaysInTheText) {
    TFlatButtonFace face = PushFace();
    face.Caption = "Ok&";
    EXPECT_EQ(PlanFlatButton(face).TextSize.cx, TextWidth("Ok&"));
}

TEST(FlatButtonFace, CaptionWiderThanTheControlIsDroppedWhole) {
    TFlatButtonFace face = PushFace(30, 25);
    face.Caption = "A caption far too wide";
    TSquareImages images(8, 1);
    face.Images = &images;
    face.GlyphIndex = 0;
    face.Layout = blGlyphTop;
    face.Spacing = 0;
    const TFlatButtonPlan plan = PlanFlatButton(face);
    EXPECT_EQ(plan.TextPos.X, -1);
    EXPECT_NE(plan.GlyphPos.X, -1);
    const TBitmap b = Paint(face);
    EXPECT_EQ(CountColor(b, TSquareImages::Base), 64);
    EXPECT_EQ(CountColor(b, Ink), 0);
}

TEST(FlatButtonFace, NoFrameGivesTheFitTestTheFullSize) {
    // 12 pixels of image in a 12-pixel control fit only without a frame.
    TSquareImages images(12, 1);
    TFlatButtonFace face = PushFace(12, 12);
    face.Images = &images;
    face.GlyphIndex = 0;
    EXPECT_EQ(PlanFlatButton(face).GlyphPos.X, -1);
    face.BorderColor = clNone;
    EXPECT_EQ(PlanFlatButton(face).GlyphPos, (TPoint{0, 0}));
    EXPECT_TRUE(AllColor(Paint(face), TSquareImages::Base, Rect(0, 0, 12, 12)));
}

TEST(FlatButtonFace, GlyphIndexOutsideTheListDrawsNoImage) {
    TSquareImages images(8, 3);
    for (int index : {-1, 3, 256, INT_MAX}) {
        TFlatButtonFace face = PushFace();
        face.Images = &images;
        face.GlyphIndex = index;
        face.Caption = "Ok";
        const TFlatButtonPlan plan = PlanFlatButton(face);
        EXPECT_EQ(plan.GlyphSize, (TSize{0, 0})) << index;
        EXPECT_EQ(plan.TextPos.X, 1 + (73 - TextWidth("Ok")) / 2) << index;
    }
    TSquareImages many(4, 300);
    TFlatButtonFace face = PushFace();
    face.Images = &many;
    face.GlyphIndex = 256;
    EXPECT_EQ(PlanFlatButton(face).GlyphSize, (TSize{0, 0}));
    face.GlyphIndex = 255;
    EXPECT_EQ(PlanFlatButton(face).GlyphSize, (TSize{4, 4}));
}

TEST(FlatButtonFace, ImageAndCaptionByLayout) {
    TSquareImages images(10, 2);
    TFlatButtonFace face = PushFace(100, 60);
    face.Images = &images;
    face.GlyphIndex = 1;
    face.Caption = "Ok";
    face.Spacing = 4;
    const int w = TextWidth("Ok"), h = TextHeight("Ok");

    face.Layout = blGlyphLeft;
    TFlatButtonPlan p = PlanFlatButton(face);
    EXPECT_EQ(p.GlyphPos, (TPoint{1 + (98 - (10 + 4 + w)) / 2, 1 + (58 - 10) / 2}));
    EXPECT_EQ(p.TextPos.X, p.GlyphPos.X + 14);

    face.Layout = blGlyphRight;
    p = PlanFlatButton(face);
    EXPECT_EQ(p.TextPos.X, 1 + (98 - (w + 4 + 10)) / 2);
    EXPECT_EQ(p.GlyphPos.X, p.TextPos.X + w + 4);

    face.Layout = blGlyphTop;
    p = PlanFlatButton(face);
    EXPECT_EQ(p.GlyphPos.Y, 1 + (58 - (10 + 4 + h)) / 2);
    EXPECT_EQ(p.TextPos.Y, p.GlyphPos.Y + 14);

    face.Layout = blGlyphBottom;
    p = PlanFlatButton(face);
    EXPECT_EQ(p.TextPos.Y, 1 + (58 - (h + 4 + 10)) / 2);
    EXPECT_EQ(p.GlyphPos.Y, p.TextPos.Y + h + 4);
    const TBitmap b = Paint(face);
    EXPECT_TRUE(AllColor(b, TSquareImages::Base + 1, Bounds(p.GlyphPos.X, p.GlyphPos.Y, 10, 10)));
}

// --- radio button face ----------------------------------------------------------------

TEST(FlatRadioFace, MarkIsAnElevenPixelCircleWithAFivePixelDot) {
    TFlatButtonFace face = RadioFace("", 11, 11);
    face.BorderColor = Frame;
    face.State = cbChecked;
    const TBitmap b = Paint(face);
    // Middle row and column: outline at both ends, blank, then the dot of five.
    for (int i = 0; i < 11; ++i) {
        const TColor expected = i == 0 || i == 10 ? Frame : i >= 3 && i <= 7 ? Mark : Blank;
        EXPECT_EQ(b.GetPixel(i, 5), expected) << "x " << i;
        EXPECT_EQ(b.GetPixel(5, i), expected) << "y " << i;
    }
    // Corners stay the fill: it is a circle.
    EXPECT_EQ(b.GetPixel(0, 0), Fill);
    EXPECT_EQ(b.GetPixel(10, 10), Fill);
    EXPECT_EQ(InkBounds(b, Fill), Rect(0, 0, 11, 11));
    const TRect dot = [&] {
        TBitmap only = PaperBitmap(11, 11);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11; ++x)
                if (b.GetPixel(x, y) == Mark) only.SetPixel(x, y, Mark);
        return InkBounds(only);
    }();
    EXPECT_EQ(dot, Rect(3, 3, 8, 8));
}

TEST(FlatRadioFace, UncheckedShowsNoDotAndGrayedShowsIt) {
    TFlatButtonFace face = RadioFace("", 11, 11);
    EXPECT_EQ(CountColor(Paint(face), Mark), 0);
    face.State = cbGrayed;
    EXPECT_GT(CountColor(Paint(face), Mark), 0);
}

TEST(FlatRadioFace, RadioHasNoFrameEvenWhenFocused) {
    TFlatButtonFace face = RadioFace("", 40, 20);
    face.Focused = true;
    const TFlatButtonPlan plan = PlanFlatButton(face);
    EXPECT_EQ(plan.Border, 0);
    EXPECT_EQ(plan.Margin, 0);
    const TBitmap b = Paint(face);
    EXPECT_EQ(b.GetPixel(0, 0), Fill);
    EXPECT_EQ(plan.GlyphPos, (TPoint{(40 - 11) / 2, (20 - 11) / 2}));
}

TEST(FlatRadioFace, AutoSizeWorkedSizes) {
    const std::string caption = "English";
    const int w = TextWidth(caption), h = TextHeight(caption);
    TFlatButtonFace face = RadioFace(caption, 58, 17);
    face.AutoSize = true;
    TFlatButtonPlan plan = PlanFlatButton(face);
    ASSERT_TRUE(plan.Resize);
    EXPECT_EQ(plan.NewSize, (TSize{w + 19, std::max(h + 4, 11)}));

    // At the fitted size: mark at x 2, caption at 17, focus rectangle from 15 to the edge.
    face.Width = plan.NewSize.cx;
    face.Height = plan.NewSize.cy;
    face.Focused = true;
    plan = PlanFlatButton(face);
    ASSERT_FALSE(plan.Resize);
    EXPECT_EQ(plan.GlyphPos, (TPoint{2, (face.Height - 11) / 2}));
    EXPECT_EQ(plan.TextPos.X, 17);
    const TBitmap b = Paint(face);
    // The dotted focus rectangle inverts pixels from column 15 to the right edge.
    TBitmap unfocused = [&] {
        TFlatButtonFace f = face;
        f.Focused = false;
        return Paint(f);
    }();
    TRect changed{face.Width, face.Height, 0, 0};
    for (int y = 0; y < face.Height; ++y)
        for (int x = 0; x < face.Width; ++x)
            if (b.GetPixel(x, y) != unfocused.GetPixel(x, y)) {
                changed.Left = std::min(changed.Left, x);
                changed.Right = std::max(changed.Right, x + 1);
            }
    EXPECT_EQ(changed.Left, 15);
    EXPECT_EQ(changed.Right, face.Width);
}

TEST(FlatRadioFace, EmptyCaptionAutoSizesAroundTheMark) {
    TFlatButtonFace face = RadioFace("", 50, 50);
    face.AutoSize = true;
    const TFlatButtonPlan plan = PlanFlatButton(face);
    ASSERT_TRUE(plan.Resize);
    EXPECT_EQ(plan.NewSize.cx, 11 + 4 + 4);
}

TEST(FlatButtonAutoSize, PushButtonSizeDoesNotFollowTheFocus) {
    TFlatButtonFace face = PushFace(10, 10);
    face.Caption = "&Cancel";
    face.AutoSize = true;
    const TFlatButtonPlan unfocused = PlanFlatButton(face);
    face.Focused = true;
    const TFlatButtonPlan focused = PlanFlatButton(face);
    ASSERT_TRUE(unfocused.Resize);
    EXPECT_EQ(unfocused.NewSize, focused.NewSize);
    EXPECT_EQ(unfocused.NewSize.cx, TextWidth("Cancel") + 4);
    // At that size no further resize is asked for.
    face.Width = unfocused.NewSize.cx;
    face.Height = unfocused.NewSize.cy;
    EXPECT_FALSE(PlanFlatButton(face).Resize);
    face.Focused = false;
    EXPECT_FALSE(PlanFlatButton(face).Resize);
}

TEST(FlatButtonAutoSize, EmptyPushButtonKeepsItsSize) {
    TFlatButtonFace face = PushFace(75, 25);
    face.AutoSize = true;
    EXPECT_FALSE(PlanFlatButton(face).Resize);
}

// --- bad input ------------------------------------------------------------------------

TEST(FlatButtonBadInput, ExtremeSpacingNeitherOverflowsNorAsksForImpossibleSizes) {
    TSquareImages images(8, 1);
    for (int spacing : {INT_MAX, INT_MIN, -1000}) {
        TFlatButtonFace face = PushFace();
        face.Images = &images;
        face.GlyphIndex = 0;
        face.Caption = "Ok";
        face.Spacing = spacing;
        for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
            face.Layout = layout;
            face.AutoSize = false;
            (void)Paint(face);
            face.AutoSize = true;
            const TFlatButtonPlan plan = PlanFlatButton(face);
            if (plan.Resize) {
                EXPECT_GE(plan.NewSize.cx, 0);
                EXPECT_LE(plan.NewSize.cx, MaxFlatButtonSide);
                EXPECT_GE(plan.NewSize.cy, 0);
                EXPECT_LE(plan.NewSize.cy, MaxFlatButtonSide);
                face.Width = plan.NewSize.cx;
                face.Height = plan.NewSize.cy;
                // A control that took the wanted size is not asked to change again.
                EXPECT_FALSE(PlanFlatButton(face).Resize) << spacing << " " << int(layout);
                face.Width = 75;
                face.Height = 25;
            }
        }
    }
}

TEST(FlatButtonBadInput, ZeroAndNegativeSizesPaintNothingOutside) {
    for (TFlatButtonKind kind : {fbkPushButton, fbkRadioButton}) {
        TFlatButtonFace face = PushFace(0, 0);
        face.Kind = kind;
        face.Caption = "&";
        TBitmap b = PaperBitmap(4, 4);
        PaintFlatButton(b.Canvas(), face, PlanFlatButton(face));
        EXPECT_TRUE(AllColor(b, Paper, Rect(0, 0, 4, 4)));
        face.Width = -5;
        face.Height = -5;
        PaintFlatButton(b.Canvas(), face, PlanFlatButton(face));
        EXPECT_TRUE(AllColor(b, Paper, Rect(0, 0, 4, 4)));
    }
}

TEST(FlatButtonBadInput, PaintLeavesTheCanvasAsItWas) {
    TBitmap b = PaperBitmap(75, 25);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(0x123456);
    c.Pen().SetColor(0x654321);
    TFlatButtonFace face = RadioFace("&Radio", 75, 25);
    face.State = cbChecked;
    face.Focused = true;
    PaintFlatButton(c, face, PlanFlatButton(face));
    EXPECT_EQ(c.Brush().Color(), 0x123456u);
    EXPECT_EQ(c.Brush().Style(), bsSolid);
    EXPECT_EQ(c.Pen().Color(), 0x654321u);
    EXPECT_EQ(c.SavedStates(), 0);
}
