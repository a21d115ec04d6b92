#include "gfx/Font.h"
#include "gfx/TextRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

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

TEST(Font, CopiesTakeValuesButNotTheHandler)
{
    TFont font;
    int changes = 0;
    font.SetOnChange([&] { ++changes; });
    font.SetName("Tahoma");
    TFont copy(font);
    EXPECT_FALSE(static_cast<bool>(copy.OnChange()));
    copy.SetName("Arial");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Name(), "Arial");
    EXPECT_EQ(font.Name(), "Tahoma");
}

TEST(Font, StyleSetOperations)
{
    TFontStyles styles{fsBold, fsItalic};
    EXPECT_TRUE(styles.Contains(fsBold));
    EXPECT_FALSE(styles.Contains(fsUnderline));
    styles = styles + fsUnderline - fsBold;
    EXPECT_FALSE(styles.Contains(fsBold));
    EXPECT_TRUE(styles.Contains(fsUnderline));
    EXPECT_EQ(styles, (TFontStyles{fsItalic, fsUnderline}));
    EXPECT_EQ(TFontStyles::FromBits(0xFF).Bits(), 0x0F);
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
    EXPECT_EQ(regular.File, "/usr/share/wine/fonts/tahoma.ttf");
    EXPECT_EQ(regular.Family, "Tahoma");
    EXPECT_FALSE(regular.Substituted);

    TFontResolution bold = TTextRenderer::Resolve(Named("Tahoma", {fsBold}));
    EXPECT_EQ(bold.File, "/usr/share/wine/fonts/tahomabd.ttf");
    EXPECT_FALSE(bold.SyntheticBold);
}

TEST(FontResolution, DialogFacesMapToTahoma)
{
    for (const char* name : {"MS Shell Dlg 2", "MS Shell Dlg", "MS Sans Serif", "ms sans serif"}) {
        TFontResolution r = TTextRenderer::Resolve(Named(name));
        EXPECT_EQ(r.File, "/usr/share/wine/fonts/tahoma.ttf") << name;
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
    EXPECT_EQ(r.File, "/usr/share/wine/fonts/tahoma.ttf");
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

TEST(FontMetrics, LargerCharacterHeightGivesTallerCell)
{
    int small = TTextRenderer::TextMetrics(Named("Arial", {}, -11)).tmHeight;
    int large = TTextRenderer::TextMetrics(Named("Arial", {}, -19)).tmHeight;
    EXPECT_GT(large, small + 5);
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
    EXPECT_EQ(TTextRenderer::Widen1252("Espa\xF1ol"), u"Espa\u00F1ol");
    EXPECT_EQ(TTextRenderer::Widen1252("\x80\x93\x94\x9F"), u"\u20AC\u201C\u201D\u0178");
    TFont font = Named("Tahoma");
    EXPECT_EQ(TTextRenderer::TextExtent(font, "Espa\xF1ol").cx, TTextRenderer::TextExtent(font, u"Espa\u00F1ol").cx);
    EXPECT_EQ(TTextRenderer::TextExtent(font, "\x80").cx, TTextRenderer::TextExtent(font, u"\u20AC").cx);
}

TEST(FontExtent, SurrogatePairsAreOneCharacter)
{
    TFont font = Named("Tahoma");
    // A lone surrogate measures like the replacement character.
    EXPECT_EQ(TTextRenderer::TextExtent(font, std::u16string(1, char16_t(0xD800))).cx,
              TTextRenderer::TextExtent(font, u"\uFFFD").cx);
    std::u16string pair = u"\U0001F600";
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(TTextRenderer::TextExtent(font, pair).cx, TTextRenderer::TextExtent(font, std::u16string(1, char16_t(0xD800))).cx);
}

TEST(FontExtent, AbsurdHeightsAreClampedNotFatal)
{
    TFont font = Named("Tahoma", {}, -2000000000);
    TTextMetric tm = TTextRenderer::TextMetrics(font);
    EXPECT_GT(tm.tmHeight, 100);
    EXPECT_LT(tm.tmHeight, 5000);
    EXPECT_GT(TTextRenderer::TextExtent(Named("Tahoma", {}, 2000000000), "x").cx, 0);
}

TEST(FontExtent, ConcurrentMeasuringAgrees)
{
    TFont font = Named("Arial", {fsBold}, -23);
    const int expected = TTextRenderer::TextExtent(font, "The quick brown fox 0123456789").cx;
    std::vector<int> results(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            TFont mine = Named("Arial", {fsBold}, -23 - t);
            for (int i = 0; i < 50; ++i) TTextRenderer::TextExtent(mine, "The quick brown fox 0123456789");
            results[t] = TTextRenderer::TextExtent(font, "The quick brown fox 0123456789").cx;
        });
    for (auto& thread : threads) thread.join();
    for (int r : results) EXPECT_EQ(r, expected);
}
