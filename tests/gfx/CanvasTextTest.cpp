#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TBitmap Filled(int width, int height, TColor color)
{
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    bitmap.Fill(color);
    return bitmap;
}

// Colours present in the region.
std::set<TColor> Colours(const TBitmap& b, const TRect& r)
{
    std::set<TColor> found;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            found.insert(b.GetPixel(x, y));
    return found;
}

} // namespace

TEST(CanvasText, TransparentTextStaysInsideClippingAndOrigin)
{
    TBitmap b = Filled(120, 40, clWhite);
    TCanvas& c = b.Canvas();
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    c.SetOrigin(TPoint{10, 5});
    c.IntersectClipRect(Rect(0, 0, 30, 40));
    c.TextOut(0, 0, "WWWWWWWWWW");
    // Nothing left of the origin or right of the clipping; something inside.
    EXPECT_EQ(Colours(b, Rect(0, 0, 10, 40)), std::set<TColor>{clWhite});
    EXPECT_EQ(Colours(b, Rect(40, 0, 120, 40)), std::set<TColor>{clWhite});
    EXPECT_GT(Colours(b, Rect(10, 5, 40, 40)).size(), 1u);
}

TEST(CanvasText, OpaqueBackgroundFillsTheCellAndTextRectFillsItsRectangle)
{
    TBitmap b = Filled(200, 40, clWhite);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed); // solid: opaque background in red
    c.Font().SetColor(clBlack);
    const TSize extent = c.TextExtent("Ok");
    ASSERT_GT(extent.cx, 0);
    c.TextOut(5, 5, "Ok");
    EXPECT_EQ(b.GetPixel(5, 5), clRed);
    EXPECT_EQ(b.GetPixel(5 + extent.cx - 1, 5 + extent.cy - 1), clRed);
    EXPECT_EQ(b.GetPixel(5 + extent.cx, 5), clWhite);
    EXPECT_EQ(b.GetPixel(4, 5), clWhite);
    b.Fill(clWhite);
    c.TextRect(Rect(100, 0, 150, 30), 102, 2, "Ok");
    EXPECT_EQ(b.GetPixel(149, 29), clRed);
    EXPECT_EQ(b.GetPixel(100, 0), clRed);
    EXPECT_EQ(b.GetPixel(150, 10), clWhite);
}

TEST(CanvasText, ExtentsAndFormattedTextUseLogicalCoordinates)
{
    TBitmap b = Filled(200, 60, clWhite);
    TCanvas& c = b.Canvas();
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_GT(c.TextHeight(""), 0);
    EXPECT_EQ(c.TextWidth(u"Abc"), c.TextWidth("Abc"));
    const TTextMetric metric = c.GetTextMetrics();
    EXPECT_EQ(metric.tmHeight, c.TextHeight("Abc"));
    c.SetOrigin(TPoint{50, 20});
    TRect r = Rect(0, 0, 10, 10);
    const int height = c.DrawText("Abc", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Width(), c.TextWidth("Abc"));
    EXPECT_EQ(height, r.Height());
    EXPECT_EQ(Colours(b, Rect(0, 0, 200, 60)), std::set<TColor>{clWhite}); // measuring draws nothing
    c.Brush().SetStyle(bsClear);
    TRect box = Rect(0, 0, 100, 30);
    c.DrawText("Abc", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Colours(b, Rect(0, 0, 50, 60)), std::set<TColor>{clWhite});
    EXPECT_GT(Colours(b, Rect(50, 20, 150, 50)).size(), 1u);
}

TEST(CanvasText, TextOnAMonochromeBitmapIsBlackOrWhite)
{
    TBitmap b = Filled(60, 20, clWhite);
    b.SetMonochrome(true);
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clNavy);
    c.TextOut(1, 1, "Mm");
    // Anti-aliased edges are settled to black or white: a mask never holds greys.
    EXPECT_EQ(Colours(b, Rect(0, 0, 60, 20)), (std::set<TColor>{clWhite, clBlack}));
}
