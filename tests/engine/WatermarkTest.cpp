// The watermark's geometry: a grey pass at (5, 7) under a yellow pass at (7, 5) of the
// same 18-point text, nothing else touched. Glyph shapes are not compared, only where the
// fully covered pixels of the two passes lie against each other.

#include <algorithm>
#include <climits>

#include "EngineFixture.h"
#include "engine/QsvImgFree.h"

namespace {

constexpr std::uint32_t Yellow = 0x00FFFF;
constexpr std::uint32_t Grey = 0x808080;
constexpr std::uint32_t Background = 0x000040;

struct TBox {
    int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;
    void Add(int x, int y)
    {
        Left = std::min(Left, x);
        Top = std::min(Top, y);
        Right = std::max(Right, x + 1);
        Bottom = std::max(Bottom, y + 1);
    }
    bool Empty() const { return Left > Right; }
};

class Watermark : public EngineTest {
protected:
    TBitmap Marked(int width, int height)
    {
        TBitmap frame;
        frame.SetPixelFormat(TPixelFormat::pf32bit);
        frame.SetSize(width, height);
        frame.Fill(Background);
        T_QsvImgFree engine;
        engine.DrawWatermark(frame);
        return frame;
    }
};

} // namespace

TEST_F(Watermark, GreyUnderYellowTwoPixelsLeftAndDown)
{
    const TBitmap frame = Marked(400, 80);
    TBox yellow, grey, touched;
    int greyPixels = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const std::uint32_t pixel = frame.GetPixel(x, y);
            if (pixel != Background)
                touched.Add(x, y);
            if (pixel == Yellow)
                yellow.Add(x, y);
            if (pixel != Grey)
                continue;
            grey.Add(x, y);
            ++greyPixels;
            // The same point of the same glyph, drawn later in yellow, two to the right and
            // two up: fully covered there too, and on top.
            ASSERT_GE(x + 2, 0);
            ASSERT_GE(y - 2, 0);
            EXPECT_EQ(frame.GetPixel(x + 2, y - 2), Yellow) << "grey at (" << x << ", " << y << ")";
        }
    ASSERT_FALSE(yellow.Empty());
    ASSERT_GT(greyPixels, 0);
    // Nothing above or left of the two text origins.
    EXPECT_GE(touched.Left, 5);
    EXPECT_GE(touched.Top, 5);
    EXPECT_GE(yellow.Left, 7);
    EXPECT_GE(grey.Top, 7);
    // 18 points at 96 pixels an inch is a 24-pixel em: the ink of one line, ascenders to
    // descenders, stays within a cell of about that, and is far taller than the 8-point
    // default face would make it.
    EXPECT_LE(touched.Bottom, 7 + 30);
    EXPECT_GE(yellow.Bottom - yellow.Top, 18);
}

TEST_F(Watermark, AFrameSmallerThanTheTextTakesWhatFits)
{
    const TBitmap frame = Marked(40, 20);
    bool drawn = false;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const std::uint32_t pixel = frame.GetPixel(x, y);
            drawn = drawn || pixel != Background;
            if (x < 5 || y < 5) {
                EXPECT_EQ(pixel, Background) << "(" << x << ", " << y << ")";
            }
        }
    EXPECT_TRUE(drawn);
}
