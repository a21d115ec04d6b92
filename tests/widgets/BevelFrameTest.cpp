#include "widgets/BevelFrame.h"

#include "WidgetPixels.h"

#include <gtest/gtest.h>

using namespace widgettest;

namespace {

const TColor Dark = ColorToRGB(cl3DDkShadow);
const TColor Light = ColorToRGB(clBtnHighlight);
const TColor Shadow = ColorToRGB(clBtnShadow);

// Column x from y0 to y1 inclusive.
TRect Column(int x, int y0, int y1) { return Rect(x, y0, x + 1, y1 + 1); }
TRect Row(int y, int x0, int x1) { return Rect(x0, y, x1 + 1, y + 1); }

} // namespace

TEST(BevelFrame, SystemColoursAreDistinctForTheseTests) {
    EXPECT_NE(Dark, Shadow);
    EXPECT_NE(Light, Shadow);
    EXPECT_NE(Light, Dark);
}

TEST(BevelFrame, RaisedOuterBevelThenFill) {
    TBitmap bitmap = PaperBitmap(11, 11);
    const TRect inside = DrawBevelFrame(bitmap.Canvas(), Rect(1, 1, 8, 8), AllSides, bvNone, bvRaised, false, clYellow, false);
    EXPECT_EQ(inside, Rect(2, 2, 7, 7));
    EXPECT_TRUE(AllColor(bitmap, Light, Column(1, 1, 8)));
    EXPECT_TRUE(AllColor(bitmap, Light, Row(1, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Column(8, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Row(8, 2, 7)));
    EXPECT_TRUE(AllColor(bitmap, clYellow, Rect(2, 2, 8, 8)));
    // Frame and fill cover exactly pixels 1..8.
    EXPECT_EQ(CountColor(bitmap, Paper), 121 - 64);
}

TEST(BevelFrame, LoweredBoldDoublesTheTopLeft) {
    TBitmap bitmap = PaperBitmap(11, 11);
    const TRect inside = DrawBevelFrame(bitmap.Canvas(), Rect(1, 1, 8, 8), AllSides, bvNone, bvLowered, true, clRed, true);
    EXPECT_EQ(inside, Rect(3, 3, 7, 7));
    EXPECT_TRUE(AllColor(bitmap, Dark, Column(1, 1, 8)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Column(2, 1, 8)));
    EXPECT_TRUE(AllColor(bitmap, Dark, Row(1, 3, 8)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Row(2, 3, 8)));
    EXPECT_TRUE(AllColor(bitmap, Light, Column(8, 3, 8)));
    EXPECT_TRUE(AllColor(bitmap, Light, Row(8, 3, 7)));
    EXPECT_EQ(CountColor(bitmap, clRed), 0) << "no fill";
    EXPECT_TRUE(AllColor(bitmap, Paper, Rect(3, 3, 8, 8)));
}

TEST(BevelFrame, RaisedBoldDoublesTheBottomRight) {
    TBitmap bitmap = PaperBitmap(11, 11);
    const TRect inside = DrawBevelFrame(bitmap.Canvas(), Rect(1, 1, 8, 8), AllSides, bvNone, bvRaised, true, clRed, true);
    EXPECT_EQ(inside, Rect(2, 2, 6, 6));
    EXPECT_TRUE(AllColor(bitmap, Light, Column(1, 1, 8)));
    EXPECT_TRUE(AllColor(bitmap, Light, Row(1, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Dark, Column(8, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Column(7, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Dark, Row(8, 2, 6)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Row(7, 2, 6)));
}

TEST(BevelFrame, InnerBevelSitsInsideTheOuter) {
    TBitmap bitmap = PaperBitmap(12, 12);
    const TRect inside = DrawBevelFrame(bitmap.Canvas(), Rect(0, 0, 9, 9), AllSides, bvLowered, bvRaised, false, clBlue, false);
    EXPECT_EQ(inside, Rect(2, 2, 7, 7));
    // Outer, raised.
    EXPECT_TRUE(AllColor(bitmap, Light, Column(0, 0, 9)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Column(9, 1, 9)));
    // Inner, lowered.
    EXPECT_TRUE(AllColor(bitmap, Shadow, Column(1, 1, 8)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Row(1, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Light, Column(8, 2, 8)));
    EXPECT_TRUE(AllColor(bitmap, Light, Row(8, 2, 7)));
    EXPECT_TRUE(AllColor(bitmap, clBlue, Rect(2, 2, 8, 8)));
}

TEST(BevelFrame, OnlyTheChosenSidesGetLinesAndMove) {
    TBitmap bitmap = PaperBitmap(10, 10);
    const TglSides topAndBottom{fsdTop, fsdBottom};
    const TRect inside = DrawBevelFrame(bitmap.Canvas(), Rect(1, 1, 7, 7), topAndBottom, bvNone, bvSpace, false, clLime, true);
    EXPECT_EQ(inside, Rect(1, 2, 7, 6));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Row(1, 1, 7)));
    EXPECT_TRUE(AllColor(bitmap, Shadow, Row(7, 1, 7)));
    EXPECT_EQ(CountColor(bitmap, Shadow), 14);
}

TEST(BevelFrame, NoBevelsOnlyFills) {
    TBitmap bitmap = PaperBitmap(8, 8);
    const TRect inside = DrawBevelFrame(bitmap.Canvas(), Rect(2, 2, 5, 5), AllSides, bvNone, bvNone, true, clLime, false);
    EXPECT_EQ(inside, Rect(2, 2, 5, 5));
    EXPECT_TRUE(AllColor(bitmap, clLime, Rect(2, 2, 6, 6)));
    EXPECT_EQ(CountColor(bitmap, clLime), 16);

    TBitmap empty = PaperBitmap(8, 8);
    EXPECT_EQ(DrawBevelFrame(empty.Canvas(), Rect(2, 2, 5, 5), TglSides{}, bvRaised, bvLowered, true, clLime, true),
              Rect(2, 2, 5, 5));
    EXPECT_EQ(CountColor(empty, Paper), 64);
}

TEST(BevelFrame, LinesTakeTheCanvasPenStyleAndThePenComesBack) {
    TBitmap bitmap = PaperBitmap(30, 4);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetWidth(0);
    canvas.Pen().SetColor(clFuchsia);
    canvas.Brush().SetColor(clTeal);
    DrawBevelFrame(canvas, Rect(0, 1, 29, 2), TglSides{fsdTop}, bvNone, bvRaised, false, clWhite, true);
    const int lit = CountColor(bitmap, Light, Row(1, 0, 29));
    EXPECT_GT(lit, 5);
    EXPECT_LT(lit, 30) << "a dotted line leaves gaps";
    EXPECT_EQ(canvas.Pen().Style(), psDot);
    EXPECT_EQ(canvas.Pen().Width(), 0);
    EXPECT_EQ(canvas.Pen().Color(), clFuchsia);
    EXPECT_EQ(canvas.Brush().Color(), clTeal);
}

TEST(BevelFrame, DegenerateRectanglesDoNotCrash) {
    TBitmap bitmap = PaperBitmap(6, 6);
    for (TRect r : {Rect(3, 3, 3, 3), Rect(4, 4, 1, 1), Rect(0, 0, 0, 5), Rect(-2, -2, 20, 20)})
        DrawBevelFrame(bitmap.Canvas(), r, AllSides, bvLowered, bvRaised, true, clRed, false);
    const TRect single = DrawBevelFrame(bitmap.Canvas(), Rect(2, 2, 2, 2), AllSides, bvNone, bvRaised, false, clRed, true);
    EXPECT_EQ(single, Rect(3, 3, 1, 1));
}
