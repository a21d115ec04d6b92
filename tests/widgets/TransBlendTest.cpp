#include "widgets/TransBlend.h"
#include "widgets/TransFigure.h"

#include "WidgetPixels.h"

#include <gtest/gtest.h>

using namespace widgettest;

namespace {

TBitmap Solid(int w, int h, TColor color) {
    TBitmap bitmap(w, h, TPixelFormat::pf24bit);
    bitmap.Fill(color);
    return bitmap;
}

TTransBlendSettings SizedSettings(int w, int h) {
    TTransBlendSettings s;
    s.Geometry.Width = w;
    s.Geometry.Height = h;
    return s;
}

} // namespace

TEST(TransChannels, MixIsTruncatedWeightedSum) {
    EXPECT_EQ(MixChannel(0, 200, 50), 100);
    EXPECT_EQ(MixChannel(255, 200, 50), 227);
    EXPECT_EQ(MixChannel(255, 0, 50), 127);
    EXPECT_EQ(MixChannel(10, 20, 0), 10);
    EXPECT_EQ(MixChannel(10, 20, 100), 20);
    EXPECT_EQ(MixChannel(99, 0, 1), 98); // 9801 / 100
}

TEST(TransChannels, FilterKeepsBackgroundWhereTheDrawingIsNotBlack) {
    EXPECT_EQ(FilterChannel(1, 77, 90), 77);
    EXPECT_EQ(FilterChannel(765, 77, 10), 77);
    EXPECT_EQ(FilterChannel(0, 77, 50), 77);
}

TEST(TransChannels, FilterBrightensAndDarkensInExtendedPrecision) {
    EXPECT_EQ(FilterChannel(0, 0, 75), 128);
    EXPECT_EQ(FilterChannel(0, 100, 75), 178);
    EXPECT_EQ(FilterChannel(0, 200, 60), 211);
    EXPECT_EQ(FilterChannel(0, 200, 40), 160);
    EXPECT_EQ(FilterChannel(0, 200, 25), 100);
    EXPECT_EQ(FilterChannel(0, 16, 60), 63); // 64 in exact arithmetic
}

TEST(TransChannels, FilterAtTheEndsStaysInsideAChannel) {
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(FilterChannel(0, k, 100), 255) << k; // the formula gives 256 for most k
        EXPECT_EQ(FilterChannel(0, k, 0), 0) << k;
    }
    EXPECT_EQ(FilterChannel(0, 0, 200), 255);
    EXPECT_EQ(FilterChannel(0, 255, -100), 0);
}

TEST(TransBias, CurveLiftsOrLowersAndIgnoresOutOfRange) {
    EXPECT_DOUBLE_EQ(BiasCurve(0.25, 0.0), 0.25);
    EXPECT_DOUBLE_EQ(BiasCurve(0.25, 0.5), 0.5);
    EXPECT_DOUBLE_EQ(BiasCurve(0.75, -0.5), 0.5);
    EXPECT_DOUBLE_EQ(BiasCurve(0.25, 1.0), 1.0);  // exponent 0
    EXPECT_DOUBLE_EQ(BiasCurve(0.25, -1.0), 0.0); // exponent 0
    EXPECT_DOUBLE_EQ(BiasCurve(0.25, 1.5), 0.25);
    EXPECT_DOUBLE_EQ(BiasCurve(0.25, -1.5), 0.25);
    EXPECT_DOUBLE_EQ(BiasCurve(1.5, 0.5), 1.5);
    EXPECT_DOUBLE_EQ(BiasCurve(-0.5, 0.5), -0.5);
}

TEST(TransFades, LeftFadeOnAFourPixelControl) {
    TFadeGeometry g{4, 10, 0.0, 1};
    EXPECT_EQ(ApplyFade(tfLeft, 0, 0, 50, g), 100);
    EXPECT_EQ(ApplyFade(tfLeft, 1, 0, 50, g), 88); // 100 - Round(12.5), halves to even
    EXPECT_EQ(ApplyFade(tfLeft, 2, 0, 50, g), 75);
    EXPECT_EQ(ApplyFade(tfLeft, 3, 5, 50, g), 62); // 100 - Round(37.5)
    EXPECT_EQ(ApplyFade(tfRight, 0, 0, 50, g), 50);
    EXPECT_EQ(ApplyFade(tfNone, 3, 3, 37, g), 37);
}

TEST(TransFades, VerticalAndDiagonalFades) {
    TFadeGeometry g{10, 10, 0.0, 1};
    EXPECT_EQ(ApplyFade(tfUp, 0, 0, 20, g), 100);
    EXPECT_EQ(ApplyFade(tfUp, 0, 5, 20, g), 60);
    EXPECT_EQ(ApplyFade(tfDown, 0, 0, 20, g), 20);
    EXPECT_EQ(ApplyFade(tfLeftDown, 5, 5, 20, g), 80);  // m = 0.25
    EXPECT_EQ(ApplyFade(tfRightDown, 0, 0, 20, g), 20); // m = 1
    EXPECT_EQ(ApplyFade(tfLeftUp, 0, 9, 20, g), 100);
    EXPECT_EQ(ApplyFade(tfRightUp, 5, 5, 20, g), 80);
}

TEST(TransFades, BiasLiftsTheFade) {
    TFadeGeometry g{4, 4, 0.5, 1};
    // m = 0.25 lifted to 0.5: 100 - Round(0.5 * 50) = 75.
    EXPECT_EQ(ApplyFade(tfLeft, 1, 0, 50, g), 75);
}

TEST(TransFades, CenterPeakHorizonVertical) {
    TFadeGeometry g{20, 10, 0.0, 1};
    EXPECT_EQ(ApplyFade(tfCenter, 10, 5, 40, g), 40); // centre keeps p
    EXPECT_EQ(ApplyFade(tfCenter, 0, 0, 40, g), 100); // outside the ellipse
    EXPECT_EQ(ApplyFade(tfCenter, 10, 0, 40, g), 100); // on the rim
    // dx = 0.5 * (14 - 10) = 2, dy = 0: d = 2, m = 0.6, 100 - Round(36) = 64.
    EXPECT_EQ(ApplyFade(tfCenter, 14, 5, 40, g), 64);
    EXPECT_EQ(ApplyFade(tfPeak, 10, 5, 40, g), 40);
    EXPECT_EQ(ApplyFade(tfPeak, 0, 5, 40, g), 100);
    EXPECT_EQ(ApplyFade(tfPeak, 5, 5, 40, g), 70); // Tri 0.5 * 1
    EXPECT_EQ(ApplyFade(tfHorizon, 0, 5, 40, g), 40);
    EXPECT_EQ(ApplyFade(tfHorizon, 0, 0, 40, g), 100);
    EXPECT_EQ(ApplyFade(tfHorizon, 0, 8, 40, g), 76); // Tri = 2 - 1.6 = 0.4
    EXPECT_EQ(ApplyFade(tfVertical, 15, 0, 40, g), 70);
}

TEST(TransFades, DegenerateSizesKeepThePercentage) {
    // No division by zero: too small to fade along means the centre value.
    EXPECT_EQ(ApplyFade(tfCenter, 0, 0, 30, TFadeGeometry{5, 1, 0.0, 1}), 30);
    EXPECT_EQ(ApplyFade(tfCenter, 0, 0, 30, TFadeGeometry{0, 6, 0.0, 1}), 30);
    EXPECT_EQ(ApplyFade(tfPeak, 0, 0, 30, TFadeGeometry{1, 1, 0.0, 1}), 30);
    EXPECT_EQ(ApplyFade(tfHorizon, 3, 0, 30, TFadeGeometry{5, 1, 0.0, 1}), 30);
    EXPECT_EQ(ApplyFade(tfVertical, 0, 3, 30, TFadeGeometry{1, 5, 0.0, 1}), 30);
    EXPECT_EQ(ApplyFade(tfLeft, 0, 0, 30, TFadeGeometry{0, 0, 0.0, 1}), 100);
    EXPECT_EQ(ApplyFade(tfRight, 0, 0, 30, TFadeGeometry{0, 0, 0.0, 1}), 30);
}

TEST(TransFades, ButtonPartsByQuarter) {
    TFadeGeometry g{20, 10, 0.0, 1};
    EXPECT_EQ(ApplyFade(tfButton, 10, 1, 0, g), 80); // top
    EXPECT_EQ(ApplyFade(tfButton, 10, 8, 0, g), 30); // bottom
    EXPECT_EQ(ApplyFade(tfButton, 1, 4, 0, g), 60);  // left
    EXPECT_EQ(ApplyFade(tfButton, 18, 4, 0, g), 40); // right
    EXPECT_EQ(ApplyFade(tfButton, 10, 5, 0, g), 0);  // the middle matches none
}

TEST(TransFades, RoundButtonBandsFollowThePenWidth) {
    TFadeGeometry g{20, 10, 0.0, 4};
    EXPECT_EQ(ApplyFade(tfRoundButton, 10, 0, 0, g), 90);
    EXPECT_EQ(ApplyFade(tfRoundButton, 10, 2, 0, g), 70);
    EXPECT_EQ(ApplyFade(tfRoundButton, 10, 9, 0, g), 28); // 50 - Round(30 * 0.75) = 50 - 22
    EXPECT_EQ(ApplyFade(tfRoundButton, 0, 5, 0, g), 70);
    EXPECT_EQ(ApplyFade(tfRoundButton, 19, 5, 0, g), 35);
    EXPECT_EQ(ApplyFade(tfRoundButton, 10, 5, 0, g), 0);
    g.RoundButtonWidth = 0; // no band at all, and no division
    EXPECT_EQ(ApplyFade(tfRoundButton, 10, 0, 0, g), 0);
}

TEST(TransTypes, ColourChannelShares) {
    TTransBlendSettings s;
    s.TransType = ttRed;
    s.TransPercent = 50;
    EXPECT_EQ(TransTypePercent(s, 0, 0, 255), 100);  // pure red: the background alone
    EXPECT_EQ(TransTypePercent(s, 255, 0, 0), 50);   // pure blue
    EXPECT_EQ(TransTypePercent(s, 0, 0, 0), 50);     // black
    EXPECT_EQ(TransTypePercent(s, 100, 100, 100), 50); // 33 lifted to TransPercent
    s.TransPercent = 10;
    EXPECT_EQ(TransTypePercent(s, 100, 100, 100), 33);
    s.TransMinCutoff = 40;
    EXPECT_EQ(TransTypePercent(s, 100, 100, 100), 10); // cut to 0, then raised to TransPercent
    s.TransMinCutoff = 0;
    s.TransMaxCutoff = 30;
    EXPECT_EQ(TransTypePercent(s, 100, 100, 100), 10);
    s.TransMaxCutoff = 100;
    s.TransType = ttGreen;
    EXPECT_EQ(TransTypePercent(s, 0, 255, 0), 100);
    s.TransType = ttBlue;
    EXPECT_EQ(TransTypePercent(s, 200, 0, 200), 50);
    s.ScreenBias = 0.5; // 0.5 lifted to sqrt(0.5)
    EXPECT_EQ(TransTypePercent(s, 200, 0, 200), 71);
}

TEST(TransTypes, KeyColourMatchesStoredValueOnly) {
    TTransBlendSettings s;
    s.TransType = ttKey;
    s.TransPercent = 30;
    s.TransKeyColor = clWhite;
    EXPECT_EQ(TransTypePercent(s, 255, 255, 255), 100);
    EXPECT_EQ(TransTypePercent(s, 255, 254, 255), 30);
    s.TransKeyColor = clBtnFace; // a system colour never matches
    EXPECT_EQ(TransTypePercent(s, 0xF0, 0xF0, 0xF0), 30);
    s.TransType = ttAlpha;
    EXPECT_EQ(TransTypePercent(s, 0, 0, 0), 30);
}

TEST(TransSelectionFrame, HalfwayBlendDarkensFrameAndWashesInside) {
    // The selection frame: 105 x 85, 7-pixel black pen, white brush, drawing starts as the background.
    TBitmap background(105, 85, TPixelFormat::pf24bit);
    background.Fill(RGB(200, 0, 200));
    background.SetPixel(50, 40, RGB(0, 200, 0));
    background.SetPixel(2, 2, RGB(0, 0, 0));
    TBitmap drawing(105, 85, TPixelFormat::pf24bit);
    drawing.Fill(clWhite);
    drawing.Canvas().Draw(0, 0, background);
    TPen pen;
    pen.SetWidth(7);
    DrawTransFigure(drawing.Canvas(), transshape::stRectangle, pen, TBrush(), 105, 85, 0);
    TBitmap output = Solid(105, 85, clWhite);
    BlendTranslucent(SizedSettings(105, 85), drawing, background, output, 105, 85);

    const TColor frame = RGB(100, 0, 100), inside = RGB(227, 127, 227);
    EXPECT_EQ(CountColor(output, frame, Rect(0, 0, 105, 7)), 105 * 7 - 1); // (2, 2) was black
    EXPECT_TRUE(AllColor(output, frame, Rect(0, 78, 105, 85)));
    EXPECT_TRUE(AllColor(output, frame, Rect(0, 7, 7, 85)));
    EXPECT_TRUE(AllColor(output, frame, Rect(98, 0, 105, 85)));
    EXPECT_EQ(output.GetPixel(2, 2), 0u);
    EXPECT_EQ(output.GetPixel(50, 40), RGB(127, 227, 127));
    EXPECT_EQ(CountColor(output, inside, Rect(7, 7, 98, 78)), 91 * 71 - 1);
}

TEST(TransBlend, UncoveredDrawingShowsBackgroundUnchanged) {
    TBitmap background = Solid(8, 6, RGB(13, 77, 201));
    TBitmap drawing(8, 6, TPixelFormat::pf24bit);
    drawing.Canvas().Draw(0, 0, background);
    DrawTransFigure(drawing.Canvas(), transshape::stNone, TPen(), TBrush(), 8, 6, 0);
    TBitmap output = Solid(8, 6, clWhite);
    BlendTranslucent(SizedSettings(8, 6), drawing, background, output, 8, 6);
    EXPECT_EQ(FirstDifference(output, background), "");
}

TEST(TransBlend, KeyedWhiteLetsTheBackgroundThrough) {
    TBitmap background = Solid(6, 6, RGB(10, 20, 30));
    TBitmap drawing = Solid(6, 6, clWhite);
    drawing.SetPixel(1, 1, clBlack);
    TTransBlendSettings s = SizedSettings(6, 6);
    s.TransType = ttKey;
    s.TransKeyColor = clWhite;
    s.TransPercent = 0;
    TBitmap output = Solid(6, 6, clWhite);
    BlendTranslucent(s, drawing, background, output, 6, 6);
    EXPECT_EQ(output.GetPixel(1, 1), clBlack);
    EXPECT_EQ(CountColor(output, RGB(10, 20, 30)), 35);
}

TEST(TransBlend, InverseSwapsTheShares) {
    TBitmap background = Solid(2, 2, clBlack);
    TBitmap drawing = Solid(2, 2, clWhite);
    TTransBlendSettings s = SizedSettings(2, 2);
    s.TransPercent = 20;
    s.Inverse = true;
    TBitmap output(2, 2, TPixelFormat::pf24bit);
    BlendTranslucent(s, drawing, background, output, 2, 2);
    EXPECT_EQ(output.GetPixel(0, 0), RGB(51, 51, 51)); // 255 * 20 / 100
}

TEST(TransBlend, LuminanceFilterActsUnderBlackOnly) {
    TBitmap background = Solid(4, 1, RGB(200, 16, 100));
    TBitmap drawing = Solid(4, 1, clWhite);
    drawing.SetPixel(0, 0, clBlack);
    drawing.SetPixel(1, 0, clBlack);
    TTransBlendSettings s = SizedSettings(4, 1);
    s.CanvasType = ctLumFilter;
    s.TransType = ttKey; // plays no part
    s.TransPercent = 60;
    TBitmap output = Solid(4, 1, clWhite);
    BlendTranslucent(s, drawing, background, output, 4, 1);
    EXPECT_EQ(output.GetPixel(0, 0), RGB(211, 63, 131)); // 100 at 60: 156 * 0.2 = 31.2
    EXPECT_EQ(output.GetPixel(2, 0), RGB(200, 16, 100));
    s.Inverse = true; // 40 percent darkens
    BlendTranslucent(s, drawing, background, output, 4, 1);
    EXPECT_EQ(output.GetPixel(1, 0), RGB(160, 12, 80));
}

TEST(TransBlend, CalculationEventDecidesEveryPixel) {
    TBitmap background = Solid(3, 2, RGB(1, 2, 3));
    TBitmap drawing = Solid(3, 2, RGB(4, 5, 6));
    TBitmap output = Solid(3, 2, clWhite);
    int calls = 0;
    TTransCalc calc = [&](TRGB fore, TRGB back, TRGB& merge, int x, int y) {
        ++calls;
        EXPECT_EQ(fore, (TRGB{4, 5, 6}));
        EXPECT_EQ(back, (TRGB{1, 2, 3}));
        merge = TRGB{static_cast<std::uint16_t>(0x100 + x), static_cast<std::uint16_t>(y), 0x1FF};
    };
    BlendTranslucent(SizedSettings(3, 2), drawing, background, output, 3, 2, calc);
    EXPECT_EQ(calls, 6);
    EXPECT_EQ(output.GetPixel(2, 1), RGB(2, 1, 0xFF)); // low 8 bits
}

TEST(TransBlend, RegionIsClippedToEveryBitmap) {
    TBitmap background = Solid(3, 3, clBlack); // an older, smaller capture
    TBitmap drawing = Solid(5, 5, clBlack);
    TBitmap output = Solid(5, 5, clWhite);
    BlendTranslucent(SizedSettings(5, 5), drawing, background, output, 10, 10);
    EXPECT_EQ(CountColor(output, clBlack), 9);
    EXPECT_EQ(CountColor(output, clWhite), 16);
    BlendTranslucent(SizedSettings(5, 5), drawing, background, output, -1, 4); // nothing
    BlendTranslucent(SizedSettings(0, 0), drawing, TBitmap(), output, 5, 5);
    EXPECT_EQ(CountColor(output, clBlack), 9);
}

TEST(TransBlend, ThirtyTwoBitBackgroundIsRead) {
    TBitmap background(2, 1, TPixelFormat::pf32bit);
    background.Fill(RGB(40, 80, 120));
    TBitmap drawing = Solid(2, 1, clBlack);
    TBitmap output = Solid(2, 1, clWhite);
    TTransBlendSettings s = SizedSettings(2, 1);
    s.TransPercent = 100;
    BlendTranslucent(s, drawing, background, output, 2, 1);
    EXPECT_EQ(output.GetPixel(1, 0), RGB(40, 80, 120));
}

TEST(TransFigure, ShapesKeepAWidePenInside) {
    TBitmap b = PaperBitmap(20, 12, TPixelFormat::pf24bit);
    TPen pen;
    pen.SetWidth(3);
    TBrush brush;
    brush.SetColor(clRed);
    DrawTransFigure(b.Canvas(), transshape::stSquare, pen, brush, 20, 12, 0);
    // W = 18, H = 10, S = 10: the square (5, 1, 15, 11) with the pen centred on it.
    EXPECT_EQ(InkBounds(b), Rect(4, 0, 16, 12));
    EXPECT_EQ(b.GetPixel(10, 6), clRed);
    EXPECT_EQ(b.GetPixel(4, 6), clBlack);

    TBitmap e = PaperBitmap(20, 12, TPixelFormat::pf24bit);
    DrawTransFigure(e.Canvas(), transshape::stEllipse, TPen(), brush, 20, 12, 0);
    EXPECT_EQ(InkBounds(e), Rect(0, 0, 20, 12));
    EXPECT_EQ(e.GetPixel(0, 0), Paper);
    EXPECT_EQ(e.GetPixel(10, 6), clRed);

    TBitmap c = PaperBitmap(20, 12, TPixelFormat::pf24bit);
    DrawTransFigure(c.Canvas(), transshape::stCircle, TPen(), brush, 20, 12, 0);
    EXPECT_EQ(InkBounds(c), Rect(4, 0, 16, 12));

    TBitmap r = PaperBitmap(20, 12, TPixelFormat::pf24bit);
    DrawTransFigure(r.Canvas(), transshape::stRoundRect, TPen(), brush, 20, 12, 0);
    EXPECT_EQ(InkBounds(r), Rect(0, 0, 20, 12));
    EXPECT_EQ(r.GetPixel(0, 0), Paper); // rounded corner
}

TEST(TransFigure, ZeroWidthPenDrawsOnePixelSmaller) {
    TBitmap b = PaperBitmap(10, 10, TPixelFormat::pf24bit);
    TPen pen;
    pen.SetWidth(0);
    DrawTransFigure(b.Canvas(), transshape::stRectangle, pen, TBrush(), 10, 10, 0);
    EXPECT_EQ(InkBounds(b), Rect(0, 0, 10, 10));
    EXPECT_EQ(b.GetPixel(9, 9), clBlack);
}

TEST(TransFigure, CenterLineAtAngleZeroRunsRight) {
    TBitmap b = PaperBitmap(65, 65, TPixelFormat::pf24bit);
    DrawTransFigure(b.Canvas(), transshape::stCenterLine, TPen(), TBrush(), 65, 65, 0);
    EXPECT_EQ(InkBounds(b), Rect(32, 32, 65, 33));
    EXPECT_EQ(b.Canvas().PenPos(), (TPoint{32 + 91, 32}));
}

TEST(TransFigure, LineThroughTheCentreTurnsClockwise) {
    TBitmap b = PaperBitmap(65, 65, TPixelFormat::pf24bit);
    DrawTransFigure(b.Canvas(), transshape::stLine, TPen(), TBrush(), 65, 65, 90);
    EXPECT_EQ(InkBounds(b), Rect(32, 0, 33, 65));
    EXPECT_EQ(b.Canvas().PenPos(), (TPoint{32, 32 + 91}));

    TBitmap d = PaperBitmap(10, 10, TPixelFormat::pf24bit);
    DrawAngleLine(d.Canvas(), 5, 5, 45, false, 10, 10);
    EXPECT_EQ(d.GetPixel(7, 7), clBlack);
    EXPECT_EQ(d.GetPixel(3, 3), Paper);
    EXPECT_EQ(d.Canvas().PenPos(), (TPoint{5 + 9, 5 + 9})); // L = 14, 14 * cos 45 = 9.9
}

TEST(TransFigure, ZeroSizedControlDrawsNothing) {
    for (int shape = transshape::stNone; shape <= transshape::stCenterLine; ++shape) {
        TBitmap b = PaperBitmap(4, 4, TPixelFormat::pf24bit);
        DrawTransFigure(b.Canvas(), static_cast<transshape::TShapeType>(shape), TPen(), TBrush(), 0, 0, 30);
        EXPECT_TRUE(AllColor(b, Paper, Rect(0, 0, 4, 4))) << shape;
    }
}
