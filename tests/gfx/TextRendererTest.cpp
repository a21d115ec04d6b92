#include "gfx/TextRenderer.h"

#include <gtest/gtest.h>

#include "TextTestSupport.h"

using namespace texttest;

namespace {
TTextOutOptions InColor(std::uint32_t color)
{
    TTextOutOptions options;
    options.Color = color;
    return options;
}
} // namespace

TEST(TextOut, InkStaysNearTheCellAtTheGivenPoint)
{
    TFont font = MakeFont("Tahoma");
    TBitmap bitmap = WhiteBitmap(120, 40);
    TTextRenderer::TextOut(bitmap, font, 10, 12, "Hello", InColor(0));
    TSize extent = TTextRenderer::TextExtent(font, "Hello");
    TRect ink = InkBounds(bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Left, 12);
    EXPECT_LE(ink.Right, 10 + extent.cx + 1);
    EXPECT_GE(ink.Top, 12);            // 'H' starts below the internal leading
    EXPECT_LE(ink.Bottom, 12 + extent.cy);
}

TEST(TextOut, PixelsAreBlendsTowardTheTextColour)
{
    TBitmap bitmap = WhiteBitmap(120, 30);
    TTextRenderer::TextOut(bitmap, MakeFont("Arial", -19, {fsBold}), 2, 2, "Veltrane", InColor(0x000000FF));
    int full = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint32_t p = bitmap.GetPixel(x, y);
            // Red on white: red stays full, green and blue fall together.
            ASSERT_EQ(p & 0xFF, 0xFFu) << x << "," << y;
            ASSERT_EQ((p >> 8) & 0xFF, (p >> 16) & 0xFF) << x << "," << y;
            if (p == 0x000000FF) ++full;
        }
    EXPECT_GT(full, 20);
}

TEST(TextOut, WritesOnlyInsideTheClipRectangle)
{
    TFont font = MakeFont("Arial", -19);
    TBitmap bitmap = WhiteBitmap(100, 40);
    TTextOutOptions options = InColor(0);
    options.Clip = Rect(20, 8, 50, 20);
    TTextRenderer::TextOut(bitmap, font, 5, 3, "WWWWWWWW", options);
    TRect ink = InkBounds(bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 20);
    EXPECT_GE(ink.Top, 8);
    EXPECT_LE(ink.Right, 50);
    EXPECT_LE(ink.Bottom, 20);
}

TEST(TextOut, OpaqueBackgroundFillsExactlyTheCell)
{
    TFont font = MakeFont("Tahoma");
    TBitmap bitmap = WhiteBitmap(100, 40, TPixelFormat::pf24bit);
    TTextOutOptions options = InColor(0x00000000);
    options.Opaque = true;
    options.BackColor = 0x0000FF00;
    TTextRenderer::TextOut(bitmap, font, 7, 9, "Lo", options);
    TSize extent = TTextRenderer::TextExtent(font, "Lo");
    TRect cell = Bounds(7, 9, extent.cx, extent.cy);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint32_t p = bitmap.GetPixel(x, y);
            if (!cell.Contains({x, y})) {
                ASSERT_EQ(p, White) << x << "," << y;
            } else {
                // Black on green: only the green channel varies.
                ASSERT_EQ(p & 0x00FF00FFu, 0u) << x << "," << y;
            }
        }
    EXPECT_EQ(bitmap.GetPixel(cell.Left, cell.Top), 0x0000FF00u);
    EXPECT_EQ(bitmap.GetPixel(cell.Right - 1, cell.Top), 0x0000FF00u);
}

TEST(TextOut, UnderlineIsAFullRowBelowTheBaseline)
{
    TFont plain = MakeFont("Tahoma");
    TFont underlined = MakeFont("Tahoma", -11, {fsUnderline});
    TTextMetric tm = TTextRenderer::TextMetrics(plain);
    TSize extent = TTextRenderer::TextExtent(plain, "ace");
    auto fullRows = [&](const TFont& font) {
        TBitmap bitmap = WhiteBitmap(60, 30);
        TTextRenderer::TextOut(bitmap, font, 4, 4, "ace", InColor(0));
        std::vector<int> rows;
        for (int y = 0; y < bitmap.Height(); ++y) {
            bool full = true;
            for (int x = 4; x < 4 + extent.cx && full; ++x) full = bitmap.GetPixel(x, y) == 0;
            if (full) rows.push_back(y);
        }
        return rows;
    };
    EXPECT_TRUE(fullRows(plain).empty());
    std::vector<int> rows = fullRows(underlined);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), 4 + tm.tmAscent);
    EXPECT_LT(rows.back(), 4 + tm.tmHeight);
    EXPECT_EQ(TTextRenderer::TextExtent(underlined, "ace").cx, extent.cx);
}

TEST(TextOut, StrikeOutCrossesAboveTheBaseline)
{
    TFont font = MakeFont("Arial", -19, {fsStrikeOut});
    TTextMetric tm = TTextRenderer::TextMetrics(font);
    TSize extent = TTextRenderer::TextExtent(font, "oo");
    TBitmap bitmap = WhiteBitmap(60, 40);
    TTextRenderer::TextOut(bitmap, font, 3, 3, "oo", InColor(0));
    int fullRow = -1;
    for (int y = 0; y < bitmap.Height() && fullRow < 0; ++y) {
        bool full = true;
        for (int x = 3; x < 3 + extent.cx && full; ++x) full = bitmap.GetPixel(x, y) == 0;
        if (full) fullRow = y;
    }
    ASSERT_GE(fullRow, 0);
    EXPECT_GT(fullRow, 3 + tm.tmInternalLeading);
    EXPECT_LT(fullRow, 3 + tm.tmAscent);
}

// ---- Rotation by escapement ----------------------------------------------------------

TEST(TextRotation, NinetyDegreesRunsUpwardFromTheStartPoint)
{
    TFont font = MakeFont("Arial", -19, {}, 900);
    TSize extent = TTextRenderer::TextExtent(font, "Rotated");
    TBitmap bitmap = WhiteBitmap(60, 160);
    TTextRenderer::TextOut(bitmap, font, 10, 140, "Rotated", InColor(0));
    TRect ink = InkBounds(bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_LE(ink.Bottom, 141);
    EXPECT_GE(ink.Top, 140 - extent.cx - 1);
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 10 + extent.cy);
    EXPECT_GT(ink.Height(), extent.cx - 6);
}

TEST(TextRotation, NinetyDegreesIsAnExactQuarterTurn)
{
    TFont flat = MakeFont("Tahoma", -13, {fsUnderline});
    TFont up = MakeFont("Tahoma", -13, {fsUnderline}, 900);
    const int x0 = 30, y0 = 60;
    TBitmap a = WhiteBitmap(100, 100);
    TBitmap b = WhiteBitmap(100, 100);
    TTextRenderer::TextOut(a, flat, x0, y0, "Quarter", InColor(0x00102030));
    TTextRenderer::TextOut(b, up, x0, y0, "Quarter", InColor(0x00102030));
    // Text-space pixel (i, j) lands at (x0 + j, y0 - 1 - i).
    for (int j = -2; j < 20; ++j)
        for (int i = -2; i < 60; ++i)
            ASSERT_EQ(b.GetPixel(x0 + j, y0 - 1 - i), a.GetPixel(x0 + i, y0 + j)) << i << "," << j;
}

TEST(TextRotation, OtherQuadrantsLandWhereTheBaselinePoints)
{
    TFont font = MakeFont("Arial", -19);
    TSize extent = TTextRenderer::TextExtent(font, "Turn");
    const int x0 = 100, y0 = 100;

    font.SetEscapement(1800);          // upside down, to the left and above
    TBitmap down = WhiteBitmap(200, 200);
    TTextRenderer::TextOut(down, font, x0, y0, "Turn", InColor(0));
    TRect ink = InkBounds(down);
    EXPECT_LE(ink.Right, x0 + 1);
    EXPECT_GE(ink.Left, x0 - extent.cx - 1);
    EXPECT_LE(ink.Bottom, y0 + 1);
    EXPECT_GT(ink.Width(), ink.Height());

    font.SetEscapement(2700);          // running downward, body to the left
    TBitmap side = WhiteBitmap(200, 200);
    TTextRenderer::TextOut(side, font, x0, y0, "Turn", InColor(0));
    ink = InkBounds(side);
    EXPECT_GE(ink.Top, y0 - 1);
    EXPECT_LE(ink.Bottom, y0 + extent.cx + 1);
    EXPECT_LE(ink.Right, x0 + 1);
    EXPECT_GT(ink.Height(), ink.Width());

    font.SetEscapement(450);           // diagonal, up and to the right
    TBitmap diagonal = WhiteBitmap(200, 200);
    TTextRenderer::TextOut(diagonal, font, x0, y0, "Turn", InColor(0));
    ink = InkBounds(diagonal);
    EXPECT_GE(ink.Left, x0 - 2);
    EXPECT_LT(ink.Top, y0 - extent.cx / 2);
    EXPECT_GT(ink.Right, x0 + extent.cx / 2);
}

TEST(TextRotation, RotatedTextRespectsTheClip)
{
    TFont font = MakeFont("Arial", -19, {}, 900);
    TBitmap bitmap = WhiteBitmap(60, 160);
    TTextOutOptions options = InColor(0);
    options.Clip = Rect(0, 60, 60, 100);
    options.Opaque = true;
    options.BackColor = 0x00FF0000;
    TTextRenderer::TextOut(bitmap, font, 10, 140, "Rotated text", options);
    TRect ink = InkBounds(bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Top, 60);
    EXPECT_LE(ink.Bottom, 100);
    // The rotated cell is filled: a column just right of the start point is background.
    EXPECT_EQ(bitmap.GetPixel(10, 80), 0x00FF0000u);
    EXPECT_EQ(bitmap.GetPixel(9, 80), White);
}
