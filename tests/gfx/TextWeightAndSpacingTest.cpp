#include "gfx/TextRenderer.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(bold.File, "/usr/share/wine/fonts/tahomabd.ttf");
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
