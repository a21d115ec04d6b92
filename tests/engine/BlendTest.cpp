#include <cstdint>

#include <gtest/gtest.h>

#include "engine/QsvImgFree.h"
#include "gfx/Bitmap.h"

namespace {

// The reference: w + floor(a * (x - w) / 256), the floor taken by an arithmetic shift.
int Reference(int w, int x, int percent)
{
    const int a = (256 * percent * 2 + 100) / 200;  // 256 * percent / 100, halves up
    return w + ((a * (x - w)) >> 8);
}

// A frame whose pixel bytes are (blue, green, red, fourth).
TBitmap Frame(int width, int height, std::uint8_t blue, std::uint8_t green, std::uint8_t red, std::uint8_t fourth)
{
    TBitmap frame(width, height, TPixelFormat::pf32bit);
    std::uint8_t* p = frame.Bits();
    for (std::size_t i = 0; i < frame.ByteCount(); i += 4) {
        p[i] = blue;
        p[i + 1] = green;
        p[i + 2] = red;
        p[i + 3] = fourth;
    }
    return frame;
}

TEST(Blend, ExamplesOfTheFade)
{
    TBitmap work = Frame(1, 1, 200, 100, 255, 0);
    TBitmap next = Frame(1, 1, 100, 200, 0, 0);
    T_QsvImgFree::BlendFrames(work, next, 50);
    EXPECT_EQ(work.Bits()[0], 150);
    EXPECT_EQ(work.Bits()[1], 150);
    EXPECT_EQ(work.Bits()[2], 127);  // 255 + floor(-127.5): the floor, not toward zero
    TBitmap dark = Frame(1, 1, 255, 255, 255, 0);
    TBitmap black = Frame(1, 1, 0, 0, 0, 0);
    T_QsvImgFree::BlendFrames(dark, black, 5);  // a = 13
    EXPECT_EQ(dark.Bits()[0], 242);
    EXPECT_EQ(dark.Bits()[2], 242);
}

TEST(Blend, EveryByteAndPercentMatchesTheFlooredFormula)
{
    // Pixel (w, x) of a 256 x 256 frame blends work byte w with next byte x, in each of
    // the three colour bytes; the fourth byte of both carries markers.
    TBitmap next(256, 256, TPixelFormat::pf32bit);
    TBitmap start(256, 256, TPixelFormat::pf32bit);
    for (int w = 0; w < 256; ++w)
        for (int x = 0; x < 256; ++x) {
            std::uint8_t* s = start.Bits() + (static_cast<std::size_t>(w) * 256 + x) * 4;
            std::uint8_t* n = next.Bits() + (static_cast<std::size_t>(w) * 256 + x) * 4;
            s[0] = s[1] = s[2] = static_cast<std::uint8_t>(w);
            n[0] = n[1] = n[2] = static_cast<std::uint8_t>(x);
            s[3] = 0x5A;
            n[3] = 0xA5;
        }
    for (int percent = 0; percent <= 100; ++percent) {
        TBitmap work(start);
        T_QsvImgFree::BlendFrames(work, next, percent);
        int wrong = 0;
        for (int w = 0; w < 256; ++w)
            for (int x = 0; x < 256; ++x) {
                const std::uint8_t* p = work.Bits() + (static_cast<std::size_t>(w) * 256 + x) * 4;
                const int expected = Reference(w, x, percent);
                for (int c = 0; c < 3; ++c)
                    if (p[c] != expected && ++wrong <= 3)
                        ADD_FAILURE() << percent << "%: w " << w << ", x " << x << " gave " << int(p[c])
                                      << ", expected " << expected;
                if (p[3] != 0x5A && ++wrong <= 3)
                    ADD_FAILURE() << "fourth byte changed at " << percent << "%";
            }
        ASSERT_EQ(wrong, 0) << percent << "%";
    }
}

TEST(Blend, FullAndNoneAreTheNextAndTheWorkFrame)
{
    TBitmap next = Frame(3, 5, 1, 2, 3, 4);
    next.SetPixel(2, 0, 0xABCDEF);  // the last pixel of the top row, the end of pixel memory
    next.SetPixel(0, 4, 0x123456);  // the first pixel in memory
    TBitmap work = Frame(3, 5, 9, 8, 7, 6);
    TBitmap unchanged(work);
    T_QsvImgFree::BlendFrames(work, next, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(work.Bits(), work.Bits() + work.ByteCount()),
              std::vector<std::uint8_t>(unchanged.Bits(), unchanged.Bits() + unchanged.ByteCount()));
    T_QsvImgFree::BlendFrames(work, next, 100);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(work.GetPixel(x, y), next.GetPixel(x, y)) << x << "," << y;
    EXPECT_EQ(work.Bits()[3], 6);
}

TEST(Blend, PercentBeyondTheRangeIsHeldToIt)
{
    TBitmap work = Frame(2, 2, 10, 20, 30, 0);
    TBitmap next = Frame(2, 2, 250, 240, 230, 0);
    T_QsvImgFree::BlendFrames(work, next, 400);
    EXPECT_EQ(work.GetPixel(1, 1), next.GetPixel(1, 1));
    TBitmap back = Frame(2, 2, 10, 20, 30, 0);
    T_QsvImgFree::BlendFrames(back, next, -50);
    EXPECT_EQ(back.GetPixel(0, 0), Frame(1, 1, 10, 20, 30, 0).GetPixel(0, 0));
}

TEST(Blend, FramesOfDifferentSizesOrFormatsAreSafe)
{
    // Only the pixels both frames hold are blended; nothing is read or written beyond.
    TBitmap work = Frame(4, 4, 0, 0, 0, 0);
    TBitmap small = Frame(2, 2, 200, 200, 200, 0);
    T_QsvImgFree::BlendFrames(work, small, 100);
    EXPECT_EQ(work.Bits()[0], 200);
    EXPECT_EQ(work.Bits()[4 * 4 - 1 - 3], 200);  // the fourth pixel in memory
    EXPECT_EQ(work.Bits()[4 * 4], 0);             // the fifth is not
    TBitmap big = Frame(8, 8, 100, 100, 100, 0);
    TBitmap tiny = Frame(1, 1, 0, 0, 0, 0);
    T_QsvImgFree::BlendFrames(tiny, big, 100);
    EXPECT_EQ(tiny.Bits()[0], 100);
    // 24-bit frames are left alone; empty frames are nothing to do.
    TBitmap rgb(2, 2, TPixelFormat::pf24bit);
    T_QsvImgFree::BlendFrames(rgb, big, 100);
    EXPECT_EQ(rgb.GetPixel(0, 0), 0u);
    TBitmap empty;
    T_QsvImgFree::BlendFrames(empty, big, 50);
    T_QsvImgFree::BlendFrames(work, empty, 50);
    EXPECT_EQ(work.Bits()[0], 200);
}

} // namespace
