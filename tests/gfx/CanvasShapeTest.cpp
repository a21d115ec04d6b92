#include "gfx/Canvas.h"

#include "PixelArt.h"

#include <gtest/gtest.h>

namespace {

// A white 24-bit bitmap.
TBitmap White(int width, int height)
{
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    bitmap.Fill(clWhite);
    return bitmap;
}

int CountColor(const TBitmap& bitmap, TColor color)
{
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            n += bitmap.GetPixel(x, y) == color;
    return n;
}

} // namespace

TEST(CanvasShapes, RectangleExcludesRightAndBottom)
{
    TBitmap b = White(6, 5);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(PixelArt(b, 0, 0, 6, 5, {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}}),
              Art("......",
                  ".####.",
                  ".#rr#.",
                  ".####.",
                  "......"));
    // A clear pen: the figure is one pixel smaller in width and height.
    b.Fill(clWhite);
    c.Pen().SetStyle(psClear);
    c.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(PixelArt(b, 0, 0, 6, 5, {{clWhite, '.'}, {clRed, 'r'}}),
              Art("......",
                  ".rrr..",
                  ".rrr..",
                  "......",
                  "......"));
}

TEST(CanvasShapes, FillAndFrameUseTheBrushOnly)
{
    TBitmap b = White(6, 5);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlack);
    c.FillRect(Rect(1, 1, 3, 3));
    c.FrameRect(Rect(3, 0, 6, 5));
    c.FillRect(Rect(2, 4, 2, 5)); // empty
    EXPECT_EQ(PixelArt(b, 0, 0, 6, 5),
              Art("...###",
                  ".###.#",
                  ".###.#",
                  "...#.#",
                  "...###"));
}

TEST(CanvasShapes, RadioMarkIsAnElevenPixelCircleWithAFivePixelDot)
{
    TBitmap b = White(15, 15);
    TCanvas& c = b.Canvas();
    // As the flat radio button draws its mark at (GX, GY) = (2, 2).
    c.Brush().SetColor(clWhite);
    c.Pen().SetColor(clGray);
    c.Ellipse(2, 2, 13, 13);
    c.Brush().SetColor(clBlack);
    c.Pen().SetColor(clBlack);
    c.Ellipse(5, 5, 10, 10);
    EXPECT_EQ(PixelArt(b, 2, 2, 11, 11, {{clWhite, '.'}, {clBlack, '#'}, {clGray, 'o'}}),
              Art("...ooooo...",
                  "..o.....o..",
                  ".o.......o.",
                  "o...###...o",
                  "o..#####..o",
                  "o..#####..o",
                  "o..#####..o",
                  "o...###...o",
                  ".o.......o.",
                  "..o.....o..",
                  "...ooooo..."));
    // Nothing outside the bounding rectangle.
    EXPECT_EQ(CountColor(b, clGray), 28);
    EXPECT_EQ(b.GetPixel(1, 7), clWhite);
    EXPECT_EQ(b.GetPixel(13, 7), clWhite);
}

TEST(CanvasShapes, EllipsesAreSymmetricAndFilled)
{
    for (int w : {2, 3, 8, 11, 20, 65}) {
        for (int h : {1, 2, 5, 11, 40}) {
            TBitmap b = White(w + 2, h + 2);
            TCanvas& c = b.Canvas();
            c.Brush().SetColor(clRed);
            c.Ellipse(1, 1, 1 + w, 1 + h);
            for (int y = 0; y < h + 2; ++y)
                for (int x = 0; x < w + 2; ++x) {
                    const TColor p = b.GetPixel(x, y);
                    ASSERT_EQ(p, b.GetPixel(w + 1 - x, y)) << w << "x" << h << " at " << x << "," << y;
                    ASSERT_EQ(p, b.GetPixel(x, h + 1 - y)) << w << "x" << h << " at " << x << "," << y;
                    if (x == 0 || y == 0 || x == w + 1 || y == h + 1) {
                        ASSERT_EQ(p, clWhite);
                    }
                }
            // Every row and column of the box is reached by the outline.
            for (int y = 1; y <= h; ++y) {
                int n = 0;
                for (int x = 1; x <= w; ++x)
                    n += b.GetPixel(x, y) == clBlack;
                ASSERT_GT(n, 0) << w << "x" << h << " row " << y;
            }
        }
    }
}

TEST(CanvasShapes, SevenPixelPenCoversTheOuterSevenPixels)
{
    // The selection frame: a 105 x 85 control draws its rectangle from (3, 3) to (102, 82).
    TBitmap b(105, 85, TPixelFormat::pf24bit);
    b.Fill(clGreen);
    TCanvas& c = b.Canvas();
    c.Pen().SetWidth(7);
    c.Rectangle(3, 3, 102, 82);
    for (int y = 0; y < 85; ++y)
        for (int x = 0; x < 105; ++x) {
            const bool frame = x < 7 || y < 7 || x >= 98 || y >= 78;
            ASSERT_EQ(b.GetPixel(x, y), frame ? clBlack : clWhite) << x << "," << y;
        }
    // Inside frame keeps the figure within its rectangle.
    b.Fill(clGreen);
    c.Pen().SetStyle(psInsideFrame);
    c.Rectangle(10, 10, 30, 30);
    EXPECT_EQ(b.GetPixel(9, 15), clGreen);
    EXPECT_EQ(b.GetPixel(10, 15), clBlack);
    EXPECT_EQ(b.GetPixel(16, 15), clBlack);
    EXPECT_EQ(b.GetPixel(17, 17), clWhite);
    EXPECT_EQ(b.GetPixel(29, 15), clBlack);
    EXPECT_EQ(b.GetPixel(30, 15), clGreen);
    EXPECT_EQ(b.GetPixel(22, 22), clWhite);
    EXPECT_EQ(b.GetPixel(23, 22), clBlack);
}

TEST(CanvasShapes, WidePenEllipseIsARingAroundTheFill)
{
    TBitmap b = White(40, 40);
    TCanvas& c = b.Canvas();
    c.Pen().SetWidth(5);
    c.Brush().SetColor(clRed);
    c.Ellipse(5, 5, 35, 35);
    // Across the middle row: 5 pen pixels centred on column 5, fill, 5 pen pixels on column 34.
    std::string row;
    for (int x = 0; x < 40; ++x) {
        const TColor p = b.GetPixel(x, 19);
        row += p == clBlack ? '#' : p == clRed ? 'r' : '.';
    }
    EXPECT_EQ(row, "...#####" + std::string(24, 'r') + "#####...");
}

TEST(CanvasShapes, LinesLeaveOutTheirEndPoint)
{
    TBitmap b = White(8, 4);
    TCanvas& c = b.Canvas();
    c.MoveTo(1, 1);
    c.LineTo(6, 1);
    EXPECT_EQ(c.PenPos(), (TPoint{6, 1}));
    c.LineTo(6, 3);
    c.MoveTo(0, 3);
    c.LineTo(3, 0);
    EXPECT_EQ(PixelArt(b, 0, 0, 8, 4),
              Art("........",
                  ".######.",
                  ".#....#.",
                  "#......."));
    EXPECT_EQ(b.GetPixel(6, 1), clBlack); // drawn by the second line
    EXPECT_EQ(b.GetPixel(6, 2), clBlack);
    EXPECT_EQ(b.GetPixel(6, 3), clWhite); // end point of the second line
    EXPECT_EQ(b.GetPixel(0, 3), clBlack);
    EXPECT_EQ(b.GetPixel(1, 2), clBlack);
    EXPECT_EQ(b.GetPixel(2, 1), clBlack);
    EXPECT_EQ(b.GetPixel(3, 0), clWhite);
}

TEST(CanvasShapes, StyledPensFollowTheirPatternAndBackground)
{
    TBitmap b = White(30, 2);
    TCanvas& c = b.Canvas();
    c.Pen().SetStyle(psDot);
    c.SetBkMode(bmTransparent);
    c.MoveTo(0, 0);
    c.LineTo(30, 0);
    c.SetBkMode(bmOpaque);
    c.SetBkColor(clRed);
    c.MoveTo(0, 1);
    c.LineTo(30, 1);
    EXPECT_EQ(PixelArt(b, 0, 0, 12, 2, {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}}),
              Art("###...###...",
                  "###rrr###rrr"));
    b.Fill(clWhite);
    c.Pen().SetStyle(psDash);
    c.SetBkMode(bmTransparent);
    c.MoveTo(0, 0);
    c.LineTo(30, 0);
    EXPECT_EQ(PixelArt(b, 0, 0, 30, 1), std::string(18, '#') + "......" + "######\n");
    // A clear pen draws nothing but still moves.
    b.Fill(clWhite);
    c.Pen().SetStyle(psClear);
    c.LineTo(0, 0);
    EXPECT_EQ(CountColor(b, clBlack), 0);
    EXPECT_EQ(c.PenPos(), (TPoint{0, 0}));
}

TEST(CanvasShapes, PenModeXorTwiceRestores)
{
    TBitmap b(10, 10, TPixelFormat::pf32bit);
    b.Fill(0x123456);
    TCanvas& c = b.Canvas();
    c.Pen().SetMode(pmXor);
    c.Pen().SetColor(0x00FF00);
    c.Brush().SetColor(0x0000FF);
    c.Rectangle(1, 1, 9, 9);
    EXPECT_EQ(b.GetPixel(1, 1), 0x123456u ^ 0x00FF00u);
    EXPECT_EQ(b.GetPixel(4, 4), 0x123456u ^ 0x0000FFu);
    c.Rectangle(1, 1, 9, 9);
    EXPECT_EQ(CountColor(b, 0x123456), 100);
    c.Pen().SetMode(pmNot);
    c.MoveTo(0, 0);
    c.LineTo(5, 0);
    EXPECT_EQ(b.GetPixel(2, 0), 0xEDCBA9u);
}

TEST(CanvasShapes, HatchesAreAlignedToTheDeviceOrigin)
{
    TBitmap b = White(16, 8);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlack);
    c.Brush().SetStyle(bsCross);
    EXPECT_EQ(c.BkMode(), bmTransparent);
    c.FillRect(Rect(0, 0, 16, 8));
    EXPECT_EQ(PixelArt(b, 0, 0, 10, 3), Art("##########", "#.......#.", "#.......#."));
    b.Fill(clWhite);
    c.Brush().SetStyle(bsFDiagonal);
    c.FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(PixelArt(b, 0, 0, 4, 4), Art("#...", ".#..", "..#.", "...#"));
    b.Fill(clWhite);
    c.Brush().SetStyle(bsBDiagonal);
    c.SetOrigin(TPoint{1, 0}); // device column = logical + 1
    c.FillRect(Rect(-1, 0, 7, 8));
    EXPECT_EQ(b.GetPixel(7, 0), clBlack);
    EXPECT_EQ(b.GetPixel(0, 7), clBlack);
    EXPECT_EQ(b.GetPixel(6, 0), clWhite);
    // Opaque hatches fill their gaps with the background colour.
    c.SetOrigin(TPoint{});
    b.Fill(clWhite);
    c.Brush().SetStyle(bsHorizontal);
    c.SetBkMode(bmOpaque);
    c.SetBkColor(clRed);
    c.FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(PixelArt(b, 0, 0, 2, 2, {{clBlack, '#'}, {clRed, 'r'}}), Art("##", "rr"));
    for (TBrushStyle s : {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
        int n = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                n += HatchCovers(s, x, y);
        EXPECT_EQ(n, (s == bsCross || s == bsDiagCross) ? (s == bsCross ? 15 : 16) : 8) << int(s);
    }
}

TEST(CanvasShapes, FocusRectangleIsDottedAndUndoneByRedrawing)
{
    TBitmap b = White(6, 4);
    TCanvas& c = b.Canvas();
    c.DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(PixelArt(b, 0, 0, 6, 4), Art("#.#.#.", "....." "#", "#.....", ".#.#.#"));
    c.DrawFocusRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(CountColor(b, clWhite), 24);
}

TEST(CanvasShapes, RoundRectAndPolygon)
{
    TBitmap b = White(12, 8);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.RoundRect(0, 0, 12, 8, 6, 6);
    EXPECT_EQ(PixelArt(b, 0, 0, 12, 8, {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}}),
              Art("..########..",
                  ".#rrrrrrrr#.",
                  "#rrrrrrrrrr#",
                  "#rrrrrrrrrr#",
                  "#rrrrrrrrrr#",
                  "#rrrrrrrrrr#",
                  ".#rrrrrrrr#.",
                  "..########.."));
    b.Fill(clWhite);
    c.Pen().SetStyle(psClear);
    const TPoint triangle[] = {{0, 0}, {8, 0}, {0, 8}};
    c.Polygon(triangle);
    // Pixel centres strictly inside x + y < 8: 7 + 6 + ... + 1 pixels.
    EXPECT_EQ(CountColor(b, clRed), 28);
    EXPECT_EQ(b.GetPixel(6, 0), clRed);
    EXPECT_EQ(b.GetPixel(7, 0), clWhite);
    EXPECT_EQ(b.GetPixel(6, 1), clWhite);
}
