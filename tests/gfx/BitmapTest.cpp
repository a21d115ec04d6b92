#include "gfx/Bitmap.h"

#include <gtest/gtest.h>

TEST(Bitmap, RowsAreBottomUpAndPadded)
{
    TBitmap bitmap(3, 2, TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.Stride(), 12u);
    bitmap.SetPixel(0, 1, 0x00112233);
    // The bottom row starts the pixel memory.
    EXPECT_EQ(bitmap.Bits()[0], 0x11);
    EXPECT_EQ(bitmap.Bits()[1], 0x22);
    EXPECT_EQ(bitmap.Bits()[2], 0x33);
    EXPECT_EQ(bitmap.GetPixel(0, 1), 0x00112233u);
}

TEST(Bitmap, SameSizeKeepsPixelsAndConversionKeepsColours)
{
    TBitmap bitmap(4, 4, TPixelFormat::pf24bit);
    bitmap.Fill(0x00ABCDEF);
    bitmap.SetSize(4, 4);
    EXPECT_EQ(bitmap.GetPixel(3, 3), 0x00ABCDEFu);
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(bitmap.Stride(), 16u);
    EXPECT_EQ(bitmap.GetPixel(2, 1), 0x00ABCDEFu);
    bitmap.SetSize(5, 4);
    EXPECT_EQ(bitmap.GetPixel(2, 1), 0u);
    EXPECT_EQ(bitmap.GetPixel(-1, 0), 0u);
}
