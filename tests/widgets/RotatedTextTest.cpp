#include "widgets/RotatedText.h"

#include "WidgetPixels.h"

#include <gtest/gtest.h>

#include <climits>

using namespace widgettest;

TEST(Escapement, NegativeValuesWrapIntoTheCircle) {
    EXPECT_EQ(NormalizeEscapement(-30), 330);
    EXPECT_EQ(NormalizeEscapement(-360), 0);
    EXPECT_EQ(NormalizeEscapement(-400), 320);
    EXPECT_EQ(NormalizeEscapement(-720), 0);
    EXPECT_EQ(NormalizeEscapement(-1), 359);
}

TEST(Escapement, LargeValuesStopAtThreeSixty) {
    EXPECT_EQ(NormalizeEscapement(720), 360);
    EXPECT_EQ(NormalizeEscapement(361), 1);
    EXPECT_EQ(NormalizeEscapement(360), 360);
    EXPECT_EQ(NormalizeEscapement(0), 0);
    EXPECT_EQ(NormalizeEscapement(45), 45);
}

TEST(Escapement, ExtremeValuesStayInRange) {
    for (int v : {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1}) {
        const int n = NormalizeEscapement(v);
        EXPECT_GE(n, 0) << v;
        EXPECT_LE(n, 360) << v;
        EXPECT_EQ(((static_cast<long long>(v) - n) % 360), 0) << v;
    }
}

TEST(RotatedTextBox, QuarterTurnsMoveTheStartToTheBoxCorner) {
    const TSize extent{40, 10};
    TRotatedTextBox box = RotatedTextBox(0, extent);
    EXPECT_EQ((TRect{box.DX, box.DY, box.Width, box.Height}), (TRect{0, 0, 40, 10}));
    // Going up: starts at the bottom left.
    box = RotatedTextBox(90, extent);
    EXPECT_EQ((TRect{box.DX, box.DY, box.Width, box.Height}), (TRect{0, 40, 10, 40}));
    // Upside down: starts at the bottom right.
    box = RotatedTextBox(180, extent);
    EXPECT_EQ((TRect{box.DX, box.DY, box.Width, box.Height}), (TRect{40, 10, 40, 10}));
    // Going down: starts at the top right.
    box = RotatedTextBox(270, extent);
    EXPECT_EQ((TRect{box.DX, box.DY, box.Width, box.Height}), (TRect{10, 0, 10, 40}));
    box = RotatedTextBox(360, extent);
    EXPECT_EQ((TRect{box.DX, box.DY, box.Width, box.Height}), (TRect{0, 0, 40, 10}));
}

TEST(RotatedTextBox, OddAnglesCutTowardZero) {
    // 45 degrees: sin = cos = 0.7071; 40 * 0.7071 = 28.28, 10 * 0.7071 = 7.07.
    TRotatedTextBox box = RotatedTextBox(45, TSize{40, 10});
    EXPECT_EQ(box.DX, 0);
    EXPECT_EQ(box.DY, 28);
    EXPECT_EQ(box.Width, 28 + 7);
    EXPECT_EQ(box.Height, 28 + 7);
    // 135 degrees: dx = -cos * 40 = 28.28, dy = sin * 40 + cos 45 * 10 = 35.35.
    box = RotatedTextBox(135, TSize{40, 10});
    EXPECT_EQ(box.DX, 28);
    EXPECT_EQ(box.DY, 35);
    // 315 degrees: dx = sin 45 * 10.
    box = RotatedTextBox(315, TSize{40, 10});
    EXPECT_EQ(box.DX, 7);
    EXPECT_EQ(box.DY, 0);
    // Out-of-range angles are normalised first.
    box = RotatedTextBox(-45, TSize{40, 10});
    EXPECT_EQ(box.DX, 7);
}

TEST(RotatedTextBox, EmptyAndHugeExtents) {
    TRotatedTextBox box = RotatedTextBox(90, TSize{0, 0});
    EXPECT_EQ((TRect{box.DX, box.DY, box.Width, box.Height}), (TRect{0, 0, 0, 0}));
    box = RotatedTextBox(30, TSize{INT_MAX, INT_MAX});
    EXPECT_GE(box.Width, 0);
    EXPECT_GE(box.Height, 0);
}

TEST(RotatedText, QuarterTurnFitsTheBoxItDescribes) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-19);
    font.SetStyle({fsBold});
    const std::string text = "Veltrane";
    const TSize extent = TTextRenderer::TextExtent(font, text);
    const TRotatedTextBox box = RotatedTextBox(90, extent);
    TBitmap b = PaperBitmap(extent.cy + 20, extent.cx + 20);
    TCanvas& c = b.Canvas();
    c.SetFont(font);
    c.SetTextColor(0x0000FF);
    c.SetBkMode(bmTransparent);
    DrawRotatedTextAt(c, 10 + box.DX, 10 + box.DY, text, 90);
    const TRect ink = InkBounds(b);
    ASSERT_FALSE(ink.IsEmpty());
    // The text lies within the rotated box placed at (10, 10).
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 10);
    EXPECT_LE(ink.Right, 10 + box.Width);
    EXPECT_LE(ink.Bottom, 10 + box.Height);
    // It is tall and narrow, and the canvas font is unrotated again.
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_EQ(c.Font().Escapement(), 0);
}
