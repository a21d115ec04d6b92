#include "gfx/TextRenderer.h"

#include <gtest/gtest.h>

#include <vector>

#include "TextTestSupport.h"

using namespace texttest;

namespace {

// Total darkness of black text drawn on white: the sum of (255 - green) over the bitmap.
long Ink(const TBitmap& bitmap)
{
    long sum = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) sum += 255 - static_cast<long>((bitmap.GetPixel(x, y) >> 8) & 0xFF);
    return sum;
}

long InkOf(const TFont& font, const char* text)
{
    TBitmap bitmap = WhiteBitmap(400, 40);
    TTextOutOptions options;
    options.Color = 0;
    TTextRenderer::TextOut(bitmap, font, 4, 4, text, options);
    return Ink(bitmap);
}

// Columns that hold a dark stem (a pixel darker than mid grey somewhere in the column),
// merged into runs; the result is the left edge of each run.
std::vector<int> StemStarts(const TBitmap& bitmap)
{
    std::vector<int> starts;
    bool inStem = false;
    for (int x = 0; x < bitmap.Width(); ++x) {
        bool dark = false;
        for (int y = 0; y < bitmap.Height() && !dark; ++y) dark = ((bitmap.GetPixel(x, y) >> 8) & 0xFF) < 128;
        if (dark && !inStem) starts.push_back(x);
        inStem = dark;
    }
    return starts;
}

} // namespace

TEST(TextWeight, BoldRequestsDrawHeavierStrokesThanRegularOnes)
{
    const char* text = "Click on one image to select it.";
    for (const char* name : {"Tahoma", "MS Shell Dlg 2", "MS Sans Serif", "Arial"}) {
        long regular = InkOf(MakeFont(name), text);
        long bold = InkOf(MakeFont(name, -11, {fsBold}), text);
        EXPECT_GT(bold, regular + regular / 5) << name;
    }
}

TEST(TextWeight, BoldTahomaComesFromTheBoldFaceAndIsEmboldenedWhenItsStrokesAreThin)
{
    TFontResolution bold = TTextRenderer::Resolve(MakeFont("Tahoma", -11, {fsBold}));
    EXPECT_EQ(bold.File, texttest::WineFonts + "tahomabd.ttf");
    EXPECT_EQ(bold.StyleName, "Bold");
    // fonts-wine's bold Tahoma has the regular strokes: it must be emboldened.
    EXPECT_TRUE(bold.LightBoldFace);

    TFontResolution regular = TTextRenderer::Resolve(MakeFont("Tahoma"));
    EXPECT_FALSE(regular.LightBoldFace);
    EXPECT_FALSE(regular.SyntheticBold);

    // A real bold face is drawn as it is.
    TFontResolution arial = TTextRenderer::Resolve(MakeFont("Arial", -11, {fsBold}));
    EXPECT_FALSE(arial.LightBoldFace);
    EXPECT_FALSE(arial.SyntheticBold);
}

TEST(TextWeight, EmboldeningTheBoldFaceKeepsItsAdvances)
{
    // The bold face's advances are already the bold ones: emboldening adds no pixel per
    // glyph on top (which would make the line a third wider than the regular one).
    const char* text = "Click on one image to select it.";
    TSize regular = TTextRenderer::TextExtent(MakeFont("Tahoma"), text);
    TSize bold = TTextRenderer::TextExtent(MakeFont("Tahoma", -11, {fsBold}), text);
    EXPECT_GT(bold.cx, regular.cx);
    EXPECT_LT(bold.cx, regular.cx * 5 / 4);
}

TEST(TextSpacing, RepeatedPairsAreEvenlySpaced)
{
    for (int bold = 0; bold < 2; ++bold)
        for (const char* name : {"Tahoma", "Arial"}) {
            TFont font = MakeFont(name, -11, bold ? TFontStyles{fsBold} : TFontStyles{});
            TBitmap bitmap = WhiteBitmap(200, 30);
            TTextOutOptions options;
            options.Color = 0;
            TTextRenderer::TextOut(bitmap, font, 5, 5, "ilililililil", options);
            std::vector<int> starts = StemStarts(bitmap);
            ASSERT_EQ(starts.size(), 12u) << name << (bold ? " bold" : "");
            int minGap = 1000, maxGap = 0;
            for (std::size_t i = 1; i < starts.size(); ++i) {
                minGap = std::min(minGap, starts[i] - starts[i - 1]);
                maxGap = std::max(maxGap, starts[i] - starts[i - 1]);
            }
            EXPECT_LE(maxGap - minGap, 1) << name << (bold ? " bold" : "");
        }
}

TEST(TextSpacing, DrawnInkMatchesTheMeasuredExtent)
{
    for (const char* name : {"Tahoma", "Arial"})
        for (int bold = 0; bold < 2; ++bold) {
            TFont font = MakeFont(name, -11, bold ? TFontStyles{fsBold} : TFontStyles{});
            const char* text = "Click on one image to select it.";
            TBitmap bitmap = WhiteBitmap(300, 30);
            TTextOutOptions options;
            options.Color = 0;
            TTextRenderer::TextOut(bitmap, font, 10, 5, text, options);
            TRect ink = InkBounds(bitmap);
            TSize extent = TTextRenderer::TextExtent(font, text);
            // The final '.' ends within a pixel or two of the advance sum.
            EXPECT_LE(ink.Right, 10 + extent.cx + 1) << name << (bold ? " bold" : "");
            EXPECT_GE(ink.Right, 10 + extent.cx - 3) << name << (bold ? " bold" : "");
            // Every prefix ends where the next glyph's measured position begins.
            TSize head = TTextRenderer::TextExtent(font, "Click on one ");
            TSize tail = TTextRenderer::TextExtent(font, "image to select it.");
            EXPECT_EQ(head.cx + tail.cx, extent.cx) << name << (bold ? " bold" : "");
        }
}

TEST(TextSpacing, SmallTextKeepsTheProportionsOfLargeText)
{
    // Rounding each glyph's advance after snapping it to the pixel grid widens small
    // text well beyond its design; rounding the designed advance keeps it in scale.
    const char* text = "Click on one image to select it.";
    for (const char* name : {"Tahoma", "Arial"})
        for (int bold = 0; bold < 2; ++bold) {
            TFontStyles style = bold ? TFontStyles{fsBold} : TFontStyles{};
            double small = TTextRenderer::TextExtent(MakeFont(name, -11, style), text).cx;
            double large = TTextRenderer::TextExtent(MakeFont(name, -88, style), text).cx;
            EXPECT_NEAR(small * 8 / large, 1.0, 0.03) << name << (bold ? " bold" : "");
        }
}
