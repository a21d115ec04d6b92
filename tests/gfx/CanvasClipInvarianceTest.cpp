// Clipping must not change which source pixel lands where: a blit that runs partly off the
// target, or partly outside the clipping rectangle, leaves exactly the pixels that the same
// blit draws onto a target large enough to hold it whole.
#include "gfx/Canvas.h"
#include "gfx/RasterOp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int Margin = 64;

// Every pixel names its own position: red = x, green = y, blue = 0x80.
TBitmap Coded(int width, int height)
{
    TBitmap bitmap(width, height, TPixelFormat::pf32bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5), 0x80));
    return bitmap;
}

TBitmap Black(int width, int height)
{
    TBitmap bitmap(width, height, TPixelFormat::pf32bit);
    bitmap.Fill(clBlack);
    return bitmap;
}

struct TPlacement {
    int X, Y, Width, Height;  // destination
    int SourceX, SourceY, SourceWidth, SourceHeight;
};

std::string Describe(const TPlacement& p)
{
    return "dest (" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ", " + std::to_string(p.Width) + " x " +
           std::to_string(p.Height) + ") from (" + std::to_string(p.SourceX) + ", " + std::to_string(p.SourceY) + ", " +
           std::to_string(p.SourceWidth) + " x " + std::to_string(p.SourceHeight) + ")";
}

// Compares the small target with the same area of the whole drawing; answers the number of
// pixels the blit changed in the small target.
int ExpectSameAsWhole(const TBitmap& small, const TBitmap& whole, const TRect& visible)
{
    int drawn = 0;
    for (int y = 0; y < small.Height(); ++y)
        for (int x = 0; x < small.Width(); ++x) {
            const bool inside = x >= visible.Left && x < visible.Right && y >= visible.Top && y < visible.Bottom;
            const TColor expected = inside ? whole.GetPixel(x + Margin, y + Margin) : clBlack;
            if (small.GetPixel(x, y) != expected) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << small.GetPixel(x, y)
                              << ", expected " << expected;
                return drawn;
            }
            if (expected != clBlack)
                ++drawn;
        }
    return drawn;
}

const TPlacement Placements[] = {
    // Enlarging, off the left and top edges.
    {-5, -3, 40, 30, 0, 0, 13, 11},
    {-17, -9, 41, 29, 2, 1, 11, 9},
    // Enlarging, off the right and bottom edges.
    {10, 12, 40, 30, 0, 0, 13, 11},
    // Shrinking, off every edge at once.
    {-7, -11, 50, 45, 0, 0, 31, 29},
    {-1, -1, 19, 17, 3, 2, 28, 27},
    // Same size: a plain copy through the stretching path.
    {-4, 6, 13, 11, 0, 0, 13, 11},
    // A poster's proportions, cut at the top and bottom like a fitted frame.
    {-2, -8, 36, 24, 0, 0, 30, 20},
};

}  // namespace

TEST(CanvasClipInvariance, StretchingOffTheTargetKeepsEveryPixelsSource)
{
    const TBitmap source = Coded(31, 29);
    for (const TPlacement& p : Placements) {
        SCOPED_TRACE(Describe(p));
        TBitmap small = Black(24, 20);
        small.Canvas().StretchBlt(p.X, p.Y, p.Width, p.Height, source, p.SourceX, p.SourceY, p.SourceWidth,
                                  p.SourceHeight, SRCCOPY);
        TBitmap whole = Black(24 + 2 * Margin, 20 + 2 * Margin);
        whole.Canvas().StretchBlt(p.X + Margin, p.Y + Margin, p.Width, p.Height, source, p.SourceX, p.SourceY,
                                  p.SourceWidth, p.SourceHeight, SRCCOPY);
        EXPECT_GT(ExpectSameAsWhole(small, whole, TRect{0, 0, 24, 20}), 0);
    }
}

TEST(CanvasClipInvariance, StretchingThroughAClipRectangleKeepsEveryPixelsSource)
{
    const TBitmap source = Coded(31, 29);
    const TRect clip{3, 2, 17, 15};
    for (const TPlacement& p : Placements) {
        SCOPED_TRACE(Describe(p));
        TBitmap small = Black(24, 20);
        small.Canvas().IntersectClipRect(clip);
        small.Canvas().StretchBlt(p.X, p.Y, p.Width, p.Height, source, p.SourceX, p.SourceY, p.SourceWidth,
                                  p.SourceHeight, SRCCOPY);
        TBitmap whole = Black(24 + 2 * Margin, 20 + 2 * Margin);
        whole.Canvas().StretchBlt(p.X + Margin, p.Y + Margin, p.Width, p.Height, source, p.SourceX, p.SourceY,
                                  p.SourceWidth, p.SourceHeight, SRCCOPY);
        ExpectSameAsWhole(small, whole, clip);
    }
}

TEST(CanvasClipInvariance, CopyingOffTheTargetOrThroughAClipKeepsEveryPixelsSource)
{
    const TBitmap source = Coded(31, 29);
    const TRect all{0, 0, 24, 20};
    const TRect clip{5, 1, 20, 11};
    for (const TRect& visible : {all, clip})
        for (const TPlacement& p : Placements) {
            SCOPED_TRACE(Describe(p) + (visible.Right == clip.Right ? " clipped" : ""));
            TBitmap small = Black(24, 20);
            small.Canvas().IntersectClipRect(visible);
            small.Canvas().BitBlt(p.X, p.Y, p.SourceWidth, p.SourceHeight, source, p.SourceX, p.SourceY, SRCCOPY);
            TBitmap whole = Black(24 + 2 * Margin, 20 + 2 * Margin);
            whole.Canvas().BitBlt(p.X + Margin, p.Y + Margin, p.SourceWidth, p.SourceHeight, source, p.SourceX,
                                  p.SourceY, SRCCOPY);
            ExpectSameAsWhole(small, whole, visible);
        }
}
