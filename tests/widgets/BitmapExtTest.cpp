#include "widgets/BitmapExt.h"
#include "widgets/RotatedFont.h"

#include "WidgetPixels.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace widgettest;

namespace {

constexpr TColor Key = 0x00FF00FF; // the transparent colour of the test pictures
constexpr TColor A = 0x00112233;
constexpr TColor B = 0x00445566;
constexpr TColor C = 0x00778899;
constexpr TColor D = 0x00AABBCC;

// A picture from rows of colours, top row first.
TBitmap Picture(std::initializer_list<std::vector<TColor>> rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows.begin()->size());
    TBitmap bitmap(w, h, TPixelFormat::pf24bit);
    int y = 0;
    for (const auto& row : rows) {
        for (int x = 0; x < w; ++x) bitmap.SetPixel(x, y, row[static_cast<std::size_t>(x)]);
        ++y;
    }
    return bitmap;
}

void Draw(TBitmap& target, const TBitmap& picture, TRect rect, int dx, int dy, TglWallpaperOption placement,
          bool transparent = false, int style = bdsNormal, TColor recolor = 0) {
    DrawBitmapExt(target.Canvas(), &picture, rect, dx, dy, placement, style, transparent, Key, recolor);
}

} // namespace

TEST(BitmapHasPixels, AssignedAndBothSidesNonZero) {
    EXPECT_FALSE(BitmapHasPixels(nullptr));
    TBitmap empty;
    EXPECT_FALSE(BitmapHasPixels(&empty));
    TBitmap noRows(5, 0);
    EXPECT_FALSE(BitmapHasPixels(noRows));
    TBitmap noColumns(0, 5);
    EXPECT_FALSE(BitmapHasPixels(noColumns));
    TBitmap one(1, 1);
    EXPECT_TRUE(BitmapHasPixels(one));
}

TEST(BitmapExt, NothingForABitmapWithoutPixels) {
    TBitmap target = PaperBitmap(5, 5);
    TBitmap empty;
    DrawBitmapExt(target.Canvas(), &empty, Rect(0, 0, 5, 5), 0, 0, fwoTile, 0, true, Key, 0);
    DrawBitmapExt(target.Canvas(), nullptr, Rect(0, 0, 5, 5), 0, 0, fwoStretch, 1, false, Key, 0);
    EXPECT_EQ(CountColor(target, Paper), 25);
}

TEST(BitmapExt, OneCopyAtTheOffsetNotCutToTheRectangle) {
    TBitmap target = PaperBitmap(8, 8);
    Draw(target, Picture({{A, B, C}, {D, A, B}}), Rect(2, 2, 4, 3), 1, 2, fwoNone);
    EXPECT_EQ(target.GetPixel(3, 4), A);
    EXPECT_EQ(target.GetPixel(5, 4), C);
    EXPECT_EQ(target.GetPixel(3, 5), D);
    EXPECT_EQ(target.GetPixel(5, 5), B);
    EXPECT_EQ(CountColor(target, Paper), 64 - 6);
}

TEST(BitmapExt, TransparentColourLeavesTheCanvasAlone) {
    TBitmap target = PaperBitmap(6, 4);
    Draw(target, Picture({{Key, A, Key}, {B, Key, C}}), Rect(1, 1, 6, 4), 0, 0, fwoNone, true);
    EXPECT_EQ(target.GetPixel(1, 1), Paper);
    EXPECT_EQ(target.GetPixel(2, 1), A);
    EXPECT_EQ(target.GetPixel(3, 1), Paper);
    EXPECT_EQ(target.GetPixel(1, 2), B);
    EXPECT_EQ(target.GetPixel(2, 2), Paper);
    EXPECT_EQ(target.GetPixel(3, 2), C);
    EXPECT_EQ(CountColor(target, Key), 0);

    TBitmap opaque = PaperBitmap(6, 4);
    Draw(opaque, Picture({{Key, A, Key}, {B, Key, C}}), Rect(1, 1, 6, 4), 0, 0, fwoNone, false);
    EXPECT_EQ(CountColor(opaque, Key), 3);
}

TEST(BitmapExt, TransparencyHonoursTheCanvasOriginAndKeepsItsColours) {
    TBitmap target = PaperBitmap(8, 4);
    TCanvas& canvas = target.Canvas();
    canvas.SetOrigin(TPoint{3, 1});
    canvas.SetTextColor(clRed);
    canvas.SetBkColor(clLime);
    Draw(target, Picture({{A, Key}}), Rect(0, 0, 2, 1), 0, 0, fwoNone, true);
    EXPECT_EQ(target.GetPixel(3, 1), A);
    EXPECT_EQ(target.GetPixel(4, 1), Paper);
    EXPECT_EQ(CountColor(target, Paper), 31);
    EXPECT_EQ(canvas.TextColor(), clRed);
    EXPECT_EQ(canvas.BkColor(), clLime);
}

TEST(BitmapExt, TileFillsTheRectangleCuttingTheLastColumnAndRow) {
    TBitmap target = PaperBitmap(9, 7);
    Draw(target, Picture({{A, B}, {C, D}}), Rect(1, 1, 6, 4), 0, 0, fwoTile);
    const TColor expected[3][5] = {{A, B, A, B, A}, {C, D, C, D, C}, {A, B, A, B, A}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(target.GetPixel(1 + x, 1 + y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(CountColor(target, Paper), 63 - 15);
}

TEST(BitmapExt, TileStartsAtTheOffsetPoint) {
    TBitmap target = PaperBitmap(8, 6);
    Draw(target, Picture({{A, B}, {C, D}}), Rect(0, 0, 5, 5), 2, 1, fwoTile);
    EXPECT_EQ(target.GetPixel(2, 1), A);
    EXPECT_EQ(target.GetPixel(4, 1), A);
    EXPECT_EQ(target.GetPixel(4, 3), A);
    EXPECT_EQ(target.GetPixel(3, 4), D);
    EXPECT_EQ(CountColor(target, Paper, Rect(0, 0, 5, 5)), 25 - 12);
    EXPECT_EQ(CountColor(target, Paper), 48 - 12);
    // An offset past the rectangle tiles nothing.
    TBitmap none = PaperBitmap(8, 6);
    Draw(none, Picture({{A}}), Rect(0, 0, 5, 5), 5, 0, fwoTile);
    EXPECT_EQ(CountColor(none, Paper), 48);
}

TEST(BitmapExt, StretchScalesToTheRectangle) {
    TBitmap target = PaperBitmap(10, 5);
    Draw(target, Picture({{A, B}}), Rect(2, 1, 8, 4), 0, 0, fwoStretch);
    EXPECT_TRUE(AllColor(target, A, Rect(2, 1, 5, 4)));
    EXPECT_TRUE(AllColor(target, B, Rect(5, 1, 8, 4)));
    EXPECT_EQ(CountColor(target, Paper), 50 - 18);
}

TEST(BitmapExt, ProportionalStretchKeepsTheAspectAndTruncates) {
    TBitmap target = PaperBitmap(12, 5);
    Draw(target, Picture({{A, B}}), Rect(1, 1, 11, 4), 0, 0, fwoPropStretch);
    // min(10 / 2, 3 / 1) = 3: a 6 x 3 picture.
    EXPECT_TRUE(AllColor(target, A, Rect(1, 1, 4, 4)));
    EXPECT_TRUE(AllColor(target, B, Rect(4, 1, 7, 4)));
    EXPECT_EQ(CountColor(target, Paper), 60 - 18);

    TBitmap odd = PaperBitmap(8, 8);
    Draw(odd, Picture({{A, B, C}, {D, A, B}}), Rect(0, 0, 5, 5), 0, 0, fwoPropStretch);
    // min(5 / 3, 5 / 2) = 5 / 3: 3 x 2 becomes 5 x 3 (3.33 truncated).
    EXPECT_EQ(InkBounds(odd), Rect(0, 0, 5, 3));
}

TEST(BitmapExt, StretchingToNothingDrawsNothing) {
    TBitmap target = PaperBitmap(6, 6);
    Draw(target, Picture({{A, B}}), Rect(2, 2, 2, 5), 0, 0, fwoStretch);
    Draw(target, Picture({{A, B}}), Rect(2, 2, 3, 5), 0, 0, fwoPropStretch); // 1 x 0.5 truncates to 1 x 0
    Draw(target, Picture({{A, B}}), Rect(5, 5, 2, 2), 0, 0, fwoPropStretch);
    EXPECT_EQ(CountColor(target, Paper), 36);
}

TEST(BitmapExt, RecolouredButtonFaceColours) {
    TBitmap target = PaperBitmap(4, 1);
    Draw(target, Picture({{clWhite, clGray, A, clBlack}}), Rect(0, 0, 4, 1), 0, 0, fwoNone, false, bdsRecolored);
    EXPECT_EQ(target.GetPixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(target.GetPixel(1, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(target.GetPixel(2, 0), A);
    EXPECT_EQ(target.GetPixel(3, 0), clBlack);
}

TEST(BitmapExt, DisabledLookEmbossesTheInk) {
    const TColor face = ColorToRGB(clBtnFace);
    const TColor light = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TBitmap picture = Picture({{Key, Key, Key, Key}, {Key, A, clWhite, Key}, {Key, Key, Key, Key}});

    TBitmap opaque = PaperBitmap(4, 3);
    Draw(opaque, picture, Rect(0, 0, 4, 3), 0, 0, fwoNone, false, bdsDisabled);
    EXPECT_EQ(opaque.GetPixel(1, 1), shadow);
    EXPECT_EQ(opaque.GetPixel(2, 2), light) << "one pixel right and down";
    EXPECT_EQ(opaque.GetPixel(2, 1), face) << "white is paper";
    EXPECT_EQ(opaque.GetPixel(0, 0), face) << "the transparent colour is paper";
    EXPECT_EQ(CountColor(opaque, face), 10);

    // Transparent: the button face leaves the canvas alone.
    TBitmap see = PaperBitmap(4, 3);
    Draw(see, picture, Rect(0, 0, 4, 3), 0, 0, fwoNone, true, bdsDisabled);
    EXPECT_EQ(see.GetPixel(1, 1), shadow);
    EXPECT_EQ(see.GetPixel(2, 2), light);
    EXPECT_EQ(CountColor(see, Paper), 10);
}

TEST(BitmapExt, RecolourColourCountsAsInkInTheDisabledLook) {
    const TColor shadow = ColorToRGB(clBtnShadow);
    TBitmap target = PaperBitmap(2, 2);
    Draw(target, Picture({{clWhite, Key}, {Key, Key}}), Rect(0, 0, 2, 2), 0, 0, fwoNone, false, bdsDisabled, clWhite);
    EXPECT_EQ(target.GetPixel(0, 0), shadow);
    EXPECT_EQ(target.GetPixel(1, 1), ColorToRGB(clBtnHighlight));
}

TEST(BitmapExt, MonochromeSourcesAndTargets) {
    TBitmap mono(3, 1);
    mono.Fill(0xFFFFFF);
    mono.SetPixel(1, 0, 0);
    mono.SetMonochrome(true);
    TBitmap target = PaperBitmap(3, 1);
    DrawBitmapExt(target.Canvas(), &mono, Rect(0, 0, 3, 1), 0, 0, fwoNone, 0, true, clWhite, 0);
    EXPECT_EQ(target.GetPixel(0, 0), Paper);
    EXPECT_EQ(target.GetPixel(1, 0), clBlack);
    EXPECT_EQ(target.GetPixel(2, 0), Paper);
}

TEST(RotatedFont, CopiesTheLookAndSetsTheEscapement) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    font.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
    font.SetCharset(ANSI_CHARSET);
    font.SetPitch(fpFixed);
    font.SetOrientation(450);
    font.SetEscapement(100);
    font.SetColor(clRed);
    const TFont rotated = CreateRotatedFont(font, -900);
    EXPECT_EQ(rotated.Name(), "Arial");
    EXPECT_EQ(rotated.Height(), -13);
    EXPECT_EQ(rotated.Escapement(), -900);
    EXPECT_EQ(rotated.Orientation(), 0);
    EXPECT_EQ(rotated.Weight(), 700);
    EXPECT_EQ(rotated.Style(), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
    EXPECT_EQ(rotated.Charset(), ANSI_CHARSET);
    EXPECT_EQ(rotated.Pitch(), fpFixed);
    EXPECT_EQ(rotated.Color(), TFont::DefaultColor) << "a logical font has no colour";

    TFont plain;
    plain.SetName("Tahoma");
    plain.SetHeight(-11);
    plain.SetPitch(fpVariable);
    const TFont up = CreateRotatedFont(plain, 900);
    EXPECT_EQ(up.Weight(), 400);
    EXPECT_TRUE(up.Style().Empty());
    EXPECT_EQ(up.Pitch(), fpVariable);
    EXPECT_EQ(up.Escapement(), 900);
}
