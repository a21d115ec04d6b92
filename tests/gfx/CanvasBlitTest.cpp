#include "gfx/Canvas.h"

#include "PixelArt.h"

#include <gtest/gtest.h>

namespace {

TBitmap Filled(int width, int height, TColor color, TPixelFormat format = TPixelFormat::pf24bit)
{
    TBitmap bitmap(width, height, format);
    bitmap.Fill(color);
    return bitmap;
}

// Every pixel names its own position: red = x, green = y, blue = 0x80.
TBitmap Coded(int width, int height, TPixelFormat format = TPixelFormat::pf24bit)
{
    TBitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x80));
    return bitmap;
}

} // namespace

TEST(CanvasBlit, RasterOperationsCombineSourceAndTarget)
{
    const TColor s = 0x0F0F33, d = 0x3355F0;
    struct TCase {
        std::uint32_t Rop;
        TColor Expected;
    };
    const TCase cases[] = {
        {SRCCOPY, s},
        {SRCAND, s & d},
        {SRCPAINT, s | d},
        {SRCINVERT, s ^ d},
        {NOTSRCCOPY, ~s & 0xFFFFFF},
        {MERGEPAINT, (~s | d) & 0xFFFFFF},
        {SRCERASE, s & ~d & 0xFFFFFF},
        {DSTINVERT, ~d & 0xFFFFFF},
        {BLACKNESS, 0},
        {WHITENESS, 0xFFFFFF},
        {PATCOPY, 0x00FF00},
        {PATINVERT, 0x00FF00 ^ d},
        {MERGECOPY, 0x00FF00 & s},
    };
    for (const TCase& c : cases) {
        const TBitmap source = Filled(3, 3, s, TPixelFormat::pf32bit);
        TBitmap target = Filled(3, 3, d);
        target.Canvas().Brush().SetColor(0x00FF00);
        target.Canvas().BitBlt(0, 0, 3, 3, source, 0, 0, c.Rop);
        EXPECT_EQ(target.GetPixel(1, 1), c.Expected) << std::hex << c.Rop;
    }
}

TEST(CanvasBlit, CopyIsClippedAndAcceptsNegativeOffsets)
{
    const TBitmap source = Coded(40, 30);
    TBitmap target = Filled(20, 10, clBlack, TPixelFormat::pf32bit);
    TCanvas& c = target.Canvas();
    // A poster larger than the frame drawn at a negative offset is cropped on both sides.
    c.BitBlt(-8, -5, 40, 30, source, 0, 0, SRCCOPY);
    EXPECT_EQ(target.GetPixel(0, 0), RGB(8, 5, 0x80));
    EXPECT_EQ(target.GetPixel(19, 9), RGB(27, 14, 0x80));
    // Clipping and origin.
    target.Fill(clBlack);
    c.SetOrigin(TPoint{2, 1});
    c.IntersectClipRect(Rect(0, 0, 3, 2));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 3, 2));
    c.BitBlt(0, 0, 40, 30, source, 10, 10, SRCCOPY);
    EXPECT_EQ(target.GetPixel(2, 1), RGB(10, 10, 0x80));
    EXPECT_EQ(target.GetPixel(4, 2), RGB(12, 11, 0x80));
    EXPECT_EQ(target.GetPixel(5, 2), clBlack);
    EXPECT_EQ(target.GetPixel(2, 3), clBlack);
    EXPECT_EQ(target.GetPixel(1, 1), clBlack);
    // Source pixels outside the source bitmap leave the target alone.
    c.ResetClip();
    c.SetOrigin(TPoint{});
    target.Fill(clBlack);
    c.BitBlt(0, 0, 20, 10, source, 35, -2, SRCCOPY);
    EXPECT_EQ(target.GetPixel(0, 2), RGB(35, 0, 0x80));
    EXPECT_EQ(target.GetPixel(0, 1), clBlack);
    EXPECT_EQ(target.GetPixel(5, 2), clBlack);
    EXPECT_EQ(target.GetPixel(4, 2), RGB(39, 0, 0x80));
}

TEST(CanvasBlit, CopyWithinOneBitmapHandlesOverlap)
{
    TBitmap b = Coded(10, 1);
    b.Canvas().BitBlt(2, 0, 8, 1, b.Canvas(), 0, 0, SRCCOPY);
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(b.GetPixel(x, 0), RGB(static_cast<std::uint8_t>(x - 2), 0, 0x80));
}

TEST(CanvasBlit, MonochromeConversionsFollowBackgroundAndTextColours)
{
    // Colour to monochrome: pixels of the source's background colour become white.
    TBitmap picture = Filled(4, 1, clRed);
    picture.SetPixel(1, 0, clBlue);
    picture.SetPixel(3, 0, clBlue);
    picture.Canvas().SetBkColor(clBlue);
    TBitmap mask = Filled(4, 1, clBlack);
    mask.SetMonochrome(true);
    EXPECT_EQ(mask.Canvas().BitsPerPixel(), 1);
    mask.Canvas().BitBlt(0, 0, 4, 1, picture.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(PixelArt(mask, 0, 0, 4, 1), Art("#.#."));
    // Monochrome to colour: black takes the text colour, white the background colour.
    TBitmap target = Filled(4, 1, clGreen);
    target.Canvas().SetTextColor(clYellow);
    target.Canvas().SetBkColor(clNavy);
    target.Canvas().BitBlt(0, 0, 4, 1, mask, 0, 0, SRCCOPY);
    EXPECT_EQ(target.GetPixel(0, 0), clYellow);
    EXPECT_EQ(target.GetPixel(1, 0), clNavy);
    // Drawing colours on a monochrome bitmap turns them into the nearer of black and white.
    mask.Canvas().Brush().SetColor(clYellow);
    mask.Canvas().FillRect(Rect(0, 0, 2, 1));
    mask.Canvas().Brush().SetColor(clNavy);
    mask.Canvas().FillRect(Rect(2, 0, 4, 1));
    EXPECT_EQ(PixelArt(mask, 0, 0, 4, 1), Art("..##"));
}

TEST(CanvasBlit, MaskAndCombineLeavesTheTransparentColourOut)
{
    // A glyph on an olive background drawn transparently over a grey face.
    TBitmap glyph = Filled(3, 2, clOlive);
    glyph.SetPixel(1, 0, clBlack);
    glyph.SetPixel(1, 1, clBlack);
    glyph.SetPixel(0, 1, clRed);
    TBitmap mask(3, 2, TPixelFormat::pf24bit);
    mask.SetMonochrome(true);
    glyph.Canvas().SetBkColor(clOlive);
    mask.Canvas().BitBlt(0, 0, 3, 2, glyph.Canvas(), 0, 0, SRCCOPY);

    TBitmap face = Filled(5, 4, clSilver);
    TCanvas& c = face.Canvas();
    c.SetTextColor(clBlack);
    c.SetBkColor(clWhite);
    c.BitBlt(1, 1, 3, 2, glyph, 0, 0, SRCINVERT);
    c.BitBlt(1, 1, 3, 2, mask, 0, 0, SRCAND);
    c.BitBlt(1, 1, 3, 2, glyph, 0, 0, SRCINVERT);
    EXPECT_EQ(PixelArt(face, 0, 0, 5, 4, {{clSilver, '.'}, {clBlack, '#'}, {clRed, 'r'}}),
              Art(".....",
                  "..#..",
                  ".r#..",
                  "....."));
}

TEST(CanvasStretch, WholeRowsAndColumnsAreKeptOrDropped)
{
    const TBitmap source = Coded(4, 4);
    TBitmap target = Filled(8, 2, clBlack);
    target.Canvas().StretchBlt(0, 0, 8, 2, source, 0, 0, 4, 4, SRCCOPY);
    // Enlarging doubles each column; shrinking keeps rows 1 and 3.
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(target.GetPixel(x, 0), RGB(static_cast<std::uint8_t>(x / 2), 1, 0x80)) << x;
        EXPECT_EQ(target.GetPixel(x, 1), RGB(static_cast<std::uint8_t>(x / 2), 3, 0x80)) << x;
    }
}

TEST(CanvasStretch, ProportionalPlacementsOfThePosters)
{
    // 1200 x 798 poster on a 1024 x 768 frame: target rectangle (0, 43, 1024, 725).
    {
        const TBitmap poster = Coded(1200, 798);
        TBitmap frame = Filled(1024, 768, clBlack, TPixelFormat::pf32bit);
        frame.Canvas().StretchBlt(0, 43, 1024, 682, poster, 0, 0, 1200, 798, SRCCOPY);
        EXPECT_EQ(frame.GetPixel(0, 42), clBlack);
        EXPECT_EQ(frame.GetPixel(0, 43), RGB(0, 0, 0x80));
        EXPECT_EQ(frame.GetPixel(1023, 724), RGB((2047 * 1200 / 2048) & 0xFF, (1363 * 798 / 1364) & 0xFF, 0x80));
        EXPECT_EQ(frame.GetPixel(512, 725), clBlack);
    }
    // 1200 x 798 on 1920 x 1080: (0, -93, 1920, 1174), overflowing rows cut off.
    {
        const TBitmap poster = Coded(1200, 798);
        TBitmap frame = Filled(1920, 1080, clBlack, TPixelFormat::pf32bit);
        frame.Canvas().StretchBlt(0, -93, 1920, 1267, poster, 0, 0, 1200, 798, SRCCOPY);
        // Frame row 0 is target row 93 of 1267: source row (2 * 93 + 1) * 798 / 2534 = 58.
        EXPECT_EQ(frame.GetPixel(0, 0), RGB(0, 58, 0x80));
        // Column 1919: source column 3839 * 1200 / 3840 = 1199.
        EXPECT_EQ(frame.GetPixel(1919, 1079), RGB(1199 & 0xFF, ((2 * 1172 + 1) * 798 / 2534) & 0xFF, 0x80));
        for (int y = 0; y < 1080; y += 97)
            ASSERT_NE(frame.GetPixel(y, y), clBlack);
    }
    // 3008 x 2000 on 1920 x 1080: (147, 0, 1773, 1080), black bars left and right.
    {
        const TBitmap poster = Coded(3008, 2000);
        TBitmap frame = Filled(1920, 1080, clBlack, TPixelFormat::pf32bit);
        frame.Canvas().StretchBlt(147, 0, 1626, 1080, poster, 0, 0, 3008, 2000, SRCCOPY);
        EXPECT_EQ(frame.GetPixel(146, 500), clBlack);
        EXPECT_EQ(frame.GetPixel(147, 0), RGB(0, 0, 0x80));
        EXPECT_EQ(frame.GetPixel(1772, 1079), RGB(3007 & 0xFF, 1999 & 0xFF, 0x80));
        EXPECT_EQ(frame.GetPixel(1773, 500), clBlack);
    }
}

TEST(CanvasStretch, MirroredOrEmptySizesDrawNothingAndOtherOpsApply)
{
    const TBitmap source = Filled(4, 4, 0x0000F0);
    TBitmap target = Filled(8, 8, 0x00000F);
    TCanvas& c = target.Canvas();
    c.StretchBlt(0, 0, -8, 8, source, 0, 0, 4, 4, SRCCOPY);
    c.StretchBlt(0, 0, 8, 8, source, 0, 0, 0, 4, SRCCOPY);
    EXPECT_EQ(target.GetPixel(3, 3), 0x00000Fu);
    c.StretchBlt(0, 0, 8, 8, source, 0, 0, 4, 4, SRCPAINT);
    EXPECT_EQ(target.GetPixel(7, 7), 0x0000FFu);
}

TEST(CanvasState, SaveAndRestoreBringBackTheSelection)
{
    TBitmap b = Filled(10, 10, clWhite);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    const int depth = c.SaveState();
    EXPECT_EQ(depth, 1);
    c.Pen().SetColor(clBlue);
    c.Pen().SetWidth(3);
    c.Brush().SetStyle(bsClear);
    c.SetOrigin(TPoint{4, 4});
    c.IntersectClipRect(Rect(0, 0, 2, 2));
    c.MoveTo(1, 1);
    {
        TCanvasState inner(c);
        c.Brush().SetColor(clLime);
        c.SetBkMode(bmOpaque);
    }
    EXPECT_EQ(c.Brush().Style(), bsClear);
    EXPECT_EQ(c.BkMode(), bmTransparent);
    EXPECT_TRUE(c.RestoreState(depth));
    EXPECT_EQ(c.Pen().Color(), clRed);
    EXPECT_EQ(c.Pen().Width(), 1);
    EXPECT_EQ(c.Brush().Style(), bsSolid);
    EXPECT_EQ(c.Origin(), (TPoint{}));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 10, 10));
    EXPECT_EQ(c.PenPos(), (TPoint{}));
    EXPECT_EQ(c.SavedStates(), 0);
    EXPECT_FALSE(c.RestoreState());
}

TEST(CanvasState, BrushAndFontSetBackgroundAndTextColour)
{
    TBitmap b = Filled(4, 4, clWhite);
    TCanvas& c = b.Canvas();
    EXPECT_EQ(c.BkMode(), bmOpaque);
    EXPECT_EQ(c.BkColor(), clWhite);
    c.Brush().SetColor(clBtnFace);
    EXPECT_EQ(c.BkColor(), clBtnFace);
    c.Brush().SetStyle(bsClear);
    EXPECT_EQ(c.BkMode(), bmTransparent);
    c.Font().SetColor(clRed);
    EXPECT_EQ(c.TextColor(), clRed);
    c.SetTextColor(clBlue);
    EXPECT_EQ(c.TextColor(), clBlue);
    // Pixels: system colours are resolved; outside the clipping reads invalid.
    c.SetPixel(1, 1, clBtnFace);
    EXPECT_EQ(c.Pixel(1, 1), RGB(212, 208, 200));
    EXPECT_EQ(c.Pixel(4, 0), CLR_INVALID);
    EXPECT_EQ(c.Pixel(-1, 0), CLR_INVALID);
}

TEST(Bitmap, CopiesTakePixelsButNotTheCanvas)
{
    TBitmap a = Filled(3, 3, clRed);
    a.Canvas().Pen().SetColor(clBlue);
    TBitmap b(a);
    EXPECT_EQ(b.GetPixel(2, 2), clRed);
    EXPECT_EQ(b.Canvas().Pen().Color(), clBlack);
    EXPECT_EQ(&b.Canvas().Target(), &b);
    TBitmap moved(std::move(b));
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(&moved.Canvas().Target(), &moved);
    moved.Canvas().FillRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(moved.GetPixel(1, 1), clWhite);
    EXPECT_EQ(a.GetPixel(1, 1), clRed);
}
