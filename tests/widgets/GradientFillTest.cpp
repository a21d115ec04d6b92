#include "widgets/GradientFill.h"
#include "widgets/Gradient.h"

#include "WidgetPixels.h"

#include "gfx/Canvas.h"
#include "gfx/MulDiv.h"

#include <gtest/gtest.h>

using namespace widgettest;

namespace {

constexpr TColor Blue = 0x00984E00; // the selected tab's start colour

void MakeActive(TGradient& g, TglGradientDir dir, TColor from, TColor to, int steps = 255) {
    g.SetActive(true);
    g.SetOrientation(dir);
    g.SetFromColor(from);
    g.SetToColor(to);
    g.SetSteps(steps);
}

// Expected channel mix, computed independently of the routine under test.
TColor Mix(TColor from, TColor to, int i, int n) {
    if (n == 1) return from;
    auto ch = [&](int shift) {
        const int f = (from >> shift) & 0xFF, t = (to >> shift) & 0xFF;
        return static_cast<TColor>(f + MulDiv(i, t - f, n - 1)) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

} // namespace

TEST(GradientBands, TwentyRowsFromTheSelectedTabBlueToWhite) {
    TGradient g;
    MakeActive(g, fgdHorizontal, Blue, clWhite);
    TBitmap bitmap = PaperBitmap(30, 24);
    GradientFill(g, bitmap.Canvas(), Rect(3, 2, 27, 22), psSolid, 1);

    EXPECT_EQ(bitmap.GetPixel(3, 2), 0x00984E00u);
    EXPECT_EQ(bitmap.GetPixel(10, 2 + 10), 0x00CEAB86u);
    EXPECT_EQ(bitmap.GetPixel(26, 2 + 19), 0x00FFFFFFu);
    for (int row = 0; row < 20; ++row)
        EXPECT_TRUE(AllColor(bitmap, Mix(Blue, clWhite, row, 20), Rect(3, 2 + row, 27, 3 + row))) << "row " << row;
    // Nothing outside the rectangle.
    EXPECT_EQ(CountColor(bitmap, Paper), 30 * 24 - 24 * 20);
}

TEST(GradientBands, TheUnselectedTabGreyToBlackOneBandPerRow) {
    TGradient g; // default colours: grey to black
    g.SetActive(true);
    TBitmap bitmap = PaperBitmap(10, 17);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 10, 17), psSolid, 1);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x00808080u);
    EXPECT_EQ(bitmap.GetPixel(0, 16), 0x00000000u);
    EXPECT_EQ(bitmap.GetPixel(5, 8), Mix(clGray, clBlack, 8, 17));
    EXPECT_EQ(bitmap.GetPixel(5, 8), 0x00404040u);
}

TEST(GradientBands, FewerStepsThanRowsMakesTallerBands) {
    TGradient g;
    MakeActive(g, fgdHorizontal, clBlack, clWhite, 4);
    TBitmap bitmap = PaperBitmap(5, 10);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 5, 10), psSolid, 1);
    // Band i covers rows MulDiv(i, 10, 4) .. MulDiv(i + 1, 10, 4): 0-3, 3-5, 5-8, 8-10.
    const int edges[] = {0, 3, 5, 8, 10};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(AllColor(bitmap, Mix(clBlack, clWhite, i, 4), Rect(0, edges[i], 5, edges[i + 1]))) << "band " << i;
    EXPECT_EQ(bitmap.GetPixel(0, 3), 0x00555555u);
}

TEST(GradientBands, VerticalStripesRunFromTheLeft) {
    TGradient g;
    MakeActive(g, fgdVertical, clRed, clBlue);
    TBitmap bitmap = PaperBitmap(12, 4);
    GradientFill(g, bitmap.Canvas(), Rect(1, 1, 11, 3), psSolid, 1);
    for (int col = 0; col < 10; ++col)
        EXPECT_TRUE(AllColor(bitmap, Mix(clRed, clBlue, col, 10), Rect(1 + col, 1, 2 + col, 3))) << "column " << col;
    EXPECT_EQ(bitmap.GetPixel(0, 1), Paper);
    EXPECT_EQ(bitmap.GetPixel(11, 1), Paper);
    EXPECT_EQ(bitmap.GetPixel(5, 0), Paper);
    EXPECT_EQ(bitmap.GetPixel(5, 3), Paper);
}

TEST(GradientBands, RectangleDirectionNestsRectanglesTowardsTheCentre) {
    TGradient g;
    MakeActive(g, fgdRectangle, clBlack, clWhite);
    TBitmap bitmap = PaperBitmap(10, 8);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 10, 8), psSolid, 1);
    // n = min(255, min(5, 4)) = 4 rings; ring i starts at (MulDiv(i, 5, 4), MulDiv(i, 4, 4)).
    const int n = 4;
    EXPECT_EQ(bitmap.GetPixel(0, 0), Mix(clBlack, clWhite, 0, n));
    EXPECT_EQ(bitmap.GetPixel(9, 7), Mix(clBlack, clWhite, 0, n));
    EXPECT_EQ(bitmap.GetPixel(1, 1), Mix(clBlack, clWhite, 1, n));
    EXPECT_EQ(bitmap.GetPixel(8, 6), Mix(clBlack, clWhite, 1, n));
    EXPECT_EQ(bitmap.GetPixel(2, 1), Mix(clBlack, clWhite, 1, n)) << "ring 2 starts at x = MulDiv(2, 5, 4) = 3";
    EXPECT_EQ(bitmap.GetPixel(3, 2), Mix(clBlack, clWhite, 2, n));
    EXPECT_EQ(bitmap.GetPixel(4, 3), Mix(clBlack, clWhite, 3, n));
    EXPECT_EQ(bitmap.GetPixel(5, 4), Mix(clBlack, clWhite, 3, n));
    EXPECT_EQ(CountColor(bitmap, Paper), 0);
}

TEST(GradientBands, LeftBiasColoursEveryPixelByItsDiagonal) {
    TGradient g;
    MakeActive(g, fgdLeftBias, clBlack, clWhite);
    TBitmap bitmap = PaperBitmap(8, 7);
    const TRect r = Rect(2, 2, 6, 5); // 4 x 3: seven bands, one line each
    GradientFill(g, bitmap.Canvas(), r, psSolid, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bitmap.GetPixel(2 + x, 2 + y), Mix(clBlack, clWhite, x + y, 7)) << x << "," << y;
    EXPECT_EQ(CountColor(bitmap, Paper), 8 * 7 - 12) << "lines stay inside the rectangle";
}

TEST(GradientBands, RightBiasRunsFromTheTopRightCorner) {
    TGradient g;
    MakeActive(g, fgdRightBias, clBlack, clWhite);
    TBitmap bitmap = PaperBitmap(8, 7);
    const TRect r = Rect(2, 2, 6, 5);
    GradientFill(g, bitmap.Canvas(), r, psSolid, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bitmap.GetPixel(2 + x, 2 + y), Mix(clBlack, clWhite, (3 - x) + y, 7)) << x << "," << y;
    EXPECT_EQ(CountColor(bitmap, Paper), 8 * 7 - 12);
}

TEST(GradientBands, WideBiasPensStayInsideTheRectangle) {
    TGradient g;
    MakeActive(g, fgdLeftBias, clBlack, clWhite);
    TBitmap bitmap = PaperBitmap(30, 30);
    GradientFill(g, bitmap.Canvas(), Rect(10, 10, 20, 20), psSolid, 4);
    EXPECT_EQ(CountColor(bitmap, Paper, Rect(10, 10, 20, 20)), 0);
    EXPECT_EQ(CountColor(bitmap, Paper), 30 * 30 - 100);
}

TEST(GradientBands, HorizontalConvergentRunsThereAndBack) {
    TGradient g;
    MakeActive(g, fgdHorzConvergent, clBlack, clWhite);
    TBitmap bitmap = PaperBitmap(3, 10);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 3, 10), psSolid, 1);
    // Upper half rows 0-4 black to white, lower half rows 5-9 white to black.
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(bitmap.GetPixel(1, row), Mix(clBlack, clWhite, row, 5)) << row;
        EXPECT_EQ(bitmap.GetPixel(1, 5 + row), Mix(clWhite, clBlack, row, 5)) << 5 + row;
    }
}

TEST(GradientBands, VerticalConvergentOddWidthSharesTheMiddleColumn) {
    TGradient g;
    MakeActive(g, fgdVertConvergent, clBlack, clWhite);
    TBitmap bitmap = PaperBitmap(7, 2);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 7, 2), psSolid, 1);
    // Left part columns 0-3 (R - W div 2), right part columns 3-6 painted after it.
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x000000u);
    EXPECT_EQ(bitmap.GetPixel(2, 0), Mix(clBlack, clWhite, 2, 4));
    EXPECT_EQ(bitmap.GetPixel(3, 1), 0xFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(6, 0), 0x000000u);
    EXPECT_EQ(bitmap.GetPixel(5, 0), Mix(clWhite, clBlack, 2, 4));
}

TEST(GradientBands, ConvergentLeavesTheGradientAsItWas) {
    TGradient g;
    MakeActive(g, fgdHorzConvergent, clBtnShadow, clYellow);
    int changes = 0;
    g.OnChanged = [&](TTwainColors&) { ++changes; };
    TBitmap bitmap = PaperBitmap(4, 9);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 4, 9), psSolid, 1);
    EXPECT_EQ(g.Orientation(), fgdHorzConvergent);
    EXPECT_EQ(g.RGBFromColor(), ColorToRGB(clBtnShadow));
    EXPECT_EQ(g.RGBToColor(), clYellow);
    EXPECT_EQ(g.FromColor(), clBtnShadow);
    EXPECT_EQ(changes, 0);
    g.SetOrientation(fgdVertConvergent);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 4, 9), psSolid, 1);
    EXPECT_EQ(g.Orientation(), fgdVertConvergent);
    EXPECT_EQ(g.RGBToColor(), clYellow);
}

TEST(GradientFilling, HalfOfTenBandsPaintsBandsZeroToSix) {
    TGradient g;
    MakeActive(g, fgdHorizontal, clBlack, clWhite, 10);
    g.SetPercentFilling(50);
    TBitmap bitmap = PaperBitmap(2, 10);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 2, 10), psSolid, 1);
    for (int row = 0; row <= 6; ++row) EXPECT_EQ(bitmap.GetPixel(0, row), Mix(clBlack, clWhite, row, 10)) << row;
    for (int row = 7; row < 10; ++row) EXPECT_EQ(bitmap.GetPixel(0, row), Paper) << row;
}

TEST(GradientFilling, ZeroPercentPaintsTheFirstTwoBands) {
    TGradient g;
    MakeActive(g, fgdVertical, clBlack, clWhite, 5);
    g.SetPercentFilling(0);
    TBitmap bitmap = PaperBitmap(5, 1);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 5, 1), psSolid, 1);
    // Band 0 is 0 %, not above 0; band 1 (20 %) is the first above it and still painted.
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x000000u);
    EXPECT_EQ(bitmap.GetPixel(1, 0), Mix(clBlack, clWhite, 1, 5));
    EXPECT_EQ(bitmap.GetPixel(2, 0), Paper);
}

TEST(GradientNothing, InactiveOneStepAndMonochromePaintNothing) {
    TBitmap bitmap = PaperBitmap(6, 6);
    TGradient inactive;
    GradientFill(inactive, bitmap.Canvas(), Rect(0, 0, 6, 6), psSolid, 1);
    EXPECT_EQ(CountColor(bitmap, Paper), 36);

    TGradient oneStep;
    MakeActive(oneStep, fgdHorizontal, clBlack, clWhite, 1);
    GradientFill(oneStep, bitmap.Canvas(), Rect(0, 0, 6, 6), psSolid, 1);
    EXPECT_EQ(CountColor(bitmap, Paper), 36);

    TGradient g;
    MakeActive(g, fgdHorizontal, clBlack, clBlack);
    TBitmap mono(6, 6);
    mono.Fill(0xFFFFFF);
    mono.SetMonochrome(true);
    GradientFill(g, mono.Canvas(), Rect(0, 0, 6, 6), psSolid, 1);
    EXPECT_EQ(CountColor(mono, 0xFFFFFF), 36);
}

TEST(GradientNothing, OnePixelHighRectangleHasTheStartColour) {
    TGradient g;
    MakeActive(g, fgdHorizontal, 0x00102030, clWhite);
    TBitmap bitmap = PaperBitmap(6, 3);
    GradientFill(g, bitmap.Canvas(), Rect(0, 1, 6, 2), psSolid, 1);
    EXPECT_TRUE(AllColor(bitmap, 0x00102030, Rect(0, 1, 6, 2)));
    EXPECT_EQ(CountColor(bitmap, Paper), 12);
}

TEST(GradientNothing, DegenerateRectanglesNeverCrash) {
    TBitmap bitmap = PaperBitmap(8, 8);
    for (int dir = fgdHorizontal; dir <= fgdVertConvergent; ++dir)
        for (int steps : {0, 1, 2, 255, 300})
            for (TRect r : {Rect(2, 2, 2, 2), Rect(2, 2, 3, 3), Rect(2, 2, 3, 6), Rect(2, 2, 6, 3), Rect(5, 5, 2, 2),
                            Rect(-3, -3, 1, 1), Rect(2, 2, 4, 3)}) {
                TGradient g;
                MakeActive(g, static_cast<TglGradientDir>(dir), clBlack, clWhite, steps);
                g.SetBufferedDraw(steps == 2);
                GradientFill(g, bitmap.Canvas(), r, psDash, 0);
            }
    // The rectangle direction on a 1-wide rectangle has no half to nest: nothing painted there.
    TBitmap thin = PaperBitmap(4, 4);
    TGradient g;
    MakeActive(g, fgdRectangle, clBlack, clWhite);
    GradientFill(g, thin.Canvas(), Rect(0, 0, 1, 4), psSolid, 1);
    EXPECT_EQ(CountColor(thin, Paper), 16);
}

TEST(GradientBrush, HatchedBandsLeaveTheGapsAlone) {
    TGradient g;
    MakeActive(g, fgdHorizontal, clRed, clRed, 255);
    g.SetBrushStyle(bsHorizontal);
    TBitmap bitmap = PaperBitmap(16, 16);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 16, 16), psSolid, 1);
    const int red = CountColor(bitmap, clRed);
    EXPECT_GT(red, 0);
    EXPECT_EQ(red + CountColor(bitmap, Paper), 256);
    EXPECT_GT(CountColor(bitmap, Paper), 0);
}

TEST(GradientBrush, ClearBrushFillsNothing) {
    TGradient g;
    MakeActive(g, fgdVertical, clRed, clBlue);
    g.SetBrushStyle(bsClear);
    TBitmap bitmap = PaperBitmap(8, 8);
    GradientFill(g, bitmap.Canvas(), Rect(0, 0, 8, 8), psSolid, 1);
    EXPECT_EQ(CountColor(bitmap, Paper), 64);
}

TEST(GradientBuffered, SamePictureAsPaintingDirectlyAnywhereOnTheCanvas) {
    for (int dir = fgdHorizontal; dir <= fgdVertConvergent; ++dir) {
        TGradient g;
        MakeActive(g, static_cast<TglGradientDir>(dir), 0x00203040, 0x00F0E0D0, 40);
        g.SetPercentFilling(70);
        TBitmap direct = PaperBitmap(40, 30);
        TBitmap buffered = PaperBitmap(40, 30);
        direct.Canvas().SetOrigin(TPoint{3, 2});
        buffered.Canvas().SetOrigin(TPoint{3, 2});
        const TRect r = Rect(5, 4, 31, 23);
        GradientFill(g, direct.Canvas(), r, psSolid, 1);
        g.SetBufferedDraw(true);
        GradientFill(g, buffered.Canvas(), r, psSolid, 1);
        EXPECT_EQ(FirstDifference(direct, buffered), "") << "direction " << dir;
        // Band 0 lies at the rectangle's top-left corner (top-right for the right bias), in device pixels.
        const int cornerX = dir == fgdRightBias ? 30 + 3 : 5 + 3;
        EXPECT_EQ(buffered.GetPixel(cornerX, 6), 0x00203040u) << "direction " << dir;
    }
}

TEST(GradientCanvas, PenBrushAndClippingAreRestored) {
    TBitmap bitmap = PaperBitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clLime);
    canvas.Pen().SetWidth(3);
    canvas.Brush().SetColor(clAqua);
    canvas.Brush().SetStyle(bsCross);
    for (TglGradientDir dir : {fgdHorizontal, fgdLeftBias}) {
        TGradient g;
        MakeActive(g, dir, clBlack, clWhite);
        GradientFill(g, canvas, Rect(2, 2, 8, 8), psDot, 2);
    }
    EXPECT_EQ(canvas.Pen().Color(), clLime);
    EXPECT_EQ(canvas.Pen().Width(), 3);
    EXPECT_EQ(canvas.Pen().Style(), psSolid);
    EXPECT_EQ(canvas.Brush().Color(), clAqua);
    EXPECT_EQ(canvas.Brush().Style(), bsCross);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 10));
}

TEST(GradientBandColor, EndsAndSingleBand) {
    EXPECT_EQ(GradientBandColor(0x00984E00, 0xFFFFFF, 0, 20), 0x00984E00u);
    EXPECT_EQ(GradientBandColor(0x00984E00, 0xFFFFFF, 10, 20), 0x00CEAB86u);
    EXPECT_EQ(GradientBandColor(0x00984E00, 0xFFFFFF, 19, 20), 0x00FFFFFFu);
    EXPECT_EQ(GradientBandColor(0x00984E00, 0xFFFFFF, 0, 1), 0x00984E00u);
    EXPECT_EQ(GradientBandColor(0xFFFFFF, 0x000000, 1, 2), 0x000000u);
}
