#include "gfx/Font.h"
#include "gfx/TextRenderer.h"

#include <gtest/gtest.h>

#include <string>

#include "TextTestSupport.h"

// ---- The logical font object --------------------------------------------------------

TEST(Font, DefaultsAreTheFrameworkDialogFont)
{
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_TRUE(font.Style().Empty());
    EXPECT_EQ(font.Escapement(), 0);
    EXPECT_EQ(font.Weight(), 400);
}

TEST(Font, SizeAndHeightConvertAtNinetySixDpiRounded)
{
    TFont font;
    font.SetSize(18);
    EXPECT_EQ(font.Height(), -24);
    font.SetSize(8);             // 10.67 rounds to 11
    EXPECT_EQ(font.Height(), -11);
    font.SetHeight(-13);         // 9.75 points
    EXPECT_EQ(font.Size(), 10);
    font.SetHeight(-19);         // 14.25 points
    EXPECT_EQ(font.Size(), 14);
    font.SetHeight(20);          // a cell height reads back as a negative size
    EXPECT_EQ(font.Size(), -15);
}

TEST(Font, OnChangeFiresOnlyForRealChanges)
{
    TFont font;
    int changes = 0;
    font.SetOnChange([&] { ++changes; });
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    font.SetSize(8);
    font.SetStyle({});
    font.SetColor(TFont::DefaultColor);
    EXPECT_EQ(changes, 0);

    font.SetName("Tahoma");
    font.SetStyle({fsBold});
    font.SetColor(0x00FFFFFF);
    font.SetEscapement(900);
    font.SetPitch(fpFixed);
    EXPECT_EQ(changes, 5);
    font.SetStyle(TFontStyles{fsBold});
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(font.Weight(), 700);
}

TEST(Font, AssignFiresOnceAndOnlyWhenDifferent)
{
    TFont source;
    source.SetName("Arial");
    source.SetHeight(-19);
    source.SetStyle({fsBold, fsUnderline});
    source.SetColor(0x003E9EFF);

    TFont target;
    int changes = 0;
    target.SetOnChange([&] { ++changes; });
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(target.SameAs(source));
    target.Assign(source);
    EXPECT_EQ(changes, 1);

    // Assignment is Assign: the target keeps its own handler.
    TFont other;
    target = other;
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(target.Name(), "MS Sans Serif");
}

// ---- Resolving logical fonts to real faces --------------------------------------------

namespace {
TFont Named(const std::string& name, TFontStyles style = {}, int height = -11)
{
    TFont font;
    font.SetName(name);
    font.SetStyle(style);
    font.SetHeight(height);
    return font;
}
} // namespace

TEST(FontResolution, TahomaComesFromTheWineFonts)
{
    TFontResolution regular = TTextRenderer::Resolve(Named("Tahoma"));
    EXPECT_EQ(regular.File, texttest::WineFonts + "tahoma.ttf");
    EXPECT_EQ(regular.Family, "Tahoma");
    EXPECT_FALSE(regular.Substituted);

    TFontResolution bold = TTextRenderer::Resolve(Named("Tahoma", {fsBold}));
    EXPECT_EQ(bold.File, texttest::WineFonts + "tahomabd.ttf");
    EXPECT_FALSE(bold.SyntheticBold);
}

TEST(FontResolution, DialogFacesMapToTahoma)
{
    for (const char* name : {"MS Shell Dlg 2", "MS Shell Dlg", "MS Sans Serif", "ms sans serif"}) {
        TFontResolution r = TTextRenderer::Resolve(Named(name));
        EXPECT_EQ(r.File, texttest::WineFonts + "tahoma.ttf") << name;
        EXPECT_FALSE(r.Substituted) << name;
    }
}

TEST(FontResolution, ArialIsLiberationSans)
{
    TFontResolution r = TTextRenderer::Resolve(Named("Arial"));
    EXPECT_EQ(r.Family, "Liberation Sans");
    EXPECT_NE(r.File.find("LiberationSans-Regular"), std::string::npos) << r.File;
    TFontResolution bold = TTextRenderer::Resolve(Named("arial", {fsBold}));
    EXPECT_NE(bold.File.find("LiberationSans-Bold"), std::string::npos) << bold.File;
}

TEST(FontResolution, MissingFaceFallsBackAndStillMeasures)
{
    TFont font = Named("No Such Face At All");
    TFontResolution r = TTextRenderer::Resolve(font);
    EXPECT_TRUE(r.Substituted);
    EXPECT_FALSE(r.File.empty());
    EXPECT_GT(TTextRenderer::TextExtent(font, "abc").cx, 0);
}

TEST(FontResolution, ItalicWithoutAnItalicFaceIsSlanted)
{
    TFontResolution r = TTextRenderer::Resolve(Named("Tahoma", {fsItalic}));
    EXPECT_EQ(r.File, texttest::WineFonts + "tahoma.ttf");
    EXPECT_TRUE(r.SyntheticItalic);
}

// ---- Metrics and extents -------------------------------------------------------------

TEST(FontMetrics, DialogFontCellIsAboutThirteenPixels)
{
    TTextMetric tm = TTextRenderer::TextMetrics(Named("Tahoma"));
    EXPECT_GE(tm.tmHeight, 12);
    EXPECT_LE(tm.tmHeight, 14);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 11);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
}

TEST(FontMetrics, PositiveHeightIsTheCellHeight)
{
    EXPECT_EQ(TTextRenderer::TextMetrics(Named("Tahoma", {}, 20)).tmHeight, 20);
    EXPECT_EQ(TTextRenderer::TextMetrics(Named("Arial", {}, 13)).tmHeight, 13);
}

TEST(FontExtent, EmptyTextHasZeroWidthAndCellHeight)
{
    TFont font = Named("Tahoma");
    TSize size = TTextRenderer::TextExtent(font, "");
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, TTextRenderer::TextMetrics(font).tmHeight);
}

TEST(FontExtent, BoldIsWider)
{
    for (const char* name : {"Tahoma", "Arial"}) {
        int regular = TTextRenderer::TextExtent(Named(name), "Set the image as Wallpaper").cx;
        int bold = TTextRenderer::TextExtent(Named(name, {fsBold}), "Set the image as Wallpaper").cx;
        EXPECT_GT(bold, regular) << name;
    }
}

TEST(FontExtent, WidthIsTheSumOfAdvancesWithoutKerning)
{
    TFont font = Named("Arial", {}, -19);
    auto width = [&](const char* s) { return TTextRenderer::TextExtent(font, s).cx; };
    EXPECT_EQ(width("AV"), width("A") + width("V"));
    EXPECT_EQ(width("To"), width("T") + width("o"));
    EXPECT_EQ(width("Veltrane"), width("Vel") + width("trane"));
}

TEST(FontExtent, EightBitTextIsCodePage1252)
{
    TFont font = Named("Tahoma");
    EXPECT_EQ(TTextRenderer::TextExtent(font, "Espa\xF1ol").cx, TTextRenderer::TextExtent(font, u"Espa\u00F1ol").cx);
    EXPECT_EQ(TTextRenderer::TextExtent(font, "\x80").cx, TTextRenderer::TextExtent(font, u"\u20AC").cx);
}

TEST(FontExtent, AbsurdHeightsAreClampedNotFatal)
{
    TFont font = Named("Tahoma", {}, -2000000000);
    TTextMetric tm = TTextRenderer::TextMetrics(font);
    EXPECT_GT(tm.tmHeight, 100);
    EXPECT_LT(tm.tmHeight, 5000);
    EXPECT_GT(TTextRenderer::TextExtent(Named("Tahoma", {}, 2000000000), "x").cx, 0);
}

