#include "gfx/DrawText.h"

#include <gtest/gtest.h>

#include "TextTestSupport.h"

using namespace texttest;

namespace {

const TFont& Dialog()
{
    static const TFont font = MakeFont("Tahoma");
    return font;
}

int Width(const std::string& text, const TFont& font = Dialog()) { return TTextRenderer::TextExtent(font, text).cx; }
int LineHeight(const TFont& font = Dialog()) { return TTextRenderer::TextMetrics(font).tmHeight; }

TRect Measure(const std::string& text, std::uint32_t format, TRect rect = Rect(5, 7, 5, 7), const TFont& font = Dialog())
{
    DrawFormattedText(nullptr, font, text, rect, format | DT_CALCRECT);
    return rect;
}

// What drawing text as plain TextOut calls at the given points looks like.
struct TPiece {
    int X, Y;
    std::string Text;
    bool Underline = false;
};
TBitmap Expected(int width, int height, const std::vector<TPiece>& pieces, const std::optional<TRect>& clip = {})
{
    TBitmap bitmap = WhiteBitmap(width, height);
    TTextOutOptions options;
    options.Clip = clip;
    for (const TPiece& p : pieces) {
        TFont font = Dialog();
        if (p.Underline) font.SetStyle({fsUnderline});
        TTextRenderer::TextOut(bitmap, font, p.X, p.Y, p.Text, options);
    }
    return bitmap;
}

TBitmap Drawn(int width, int height, const std::string& text, TRect rect, std::uint32_t format, int* result = nullptr)
{
    TBitmap bitmap = WhiteBitmap(width, height);
    int r = DrawFormattedText(&bitmap, Dialog(), text, rect, format);
    if (result) *result = r;
    return bitmap;
}

} // namespace

// ---- Measuring -----------------------------------------------------------------------

TEST(TextFormatMeasure, SingleLineIsTheExtentAtTheSameCorner)
{
    TRect r = Rect(5, 7, 5, 7);
    int height = DrawFormattedText(nullptr, Dialog(), "Image time", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, LineHeight());
    EXPECT_EQ(r, Rect(5, 7, 5 + Width("Image time"), 7 + LineHeight()));
}

TEST(TextFormatMeasure, EmptyTextIsEmpty)
{
    TRect r = Rect(3, 4, 50, 60);
    EXPECT_EQ(DrawFormattedText(nullptr, Dialog(), "", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, Rect(3, 4, 3, 4));
    // A lone '&' is a prefix of nothing.
    r = Rect(0, 0, 0, 0);
    EXPECT_EQ(DrawFormattedText(nullptr, Dialog(), "&", r, DT_CALCRECT), 0);
    // "& " measures as one space.
    EXPECT_EQ(Measure("& ", 0).Width(), Width(" "));
}

TEST(TextFormatMeasure, PrefixesAreRemovedUnlessNoPrefix)
{
    EXPECT_EQ(Measure("&File", 0).Width(), Width("File"));
    EXPECT_EQ(Measure("A&&B", 0).Width(), Width("A&B"));
    EXPECT_EQ(Measure("&File", DT_NOPREFIX).Width(), Width("&File"));
    EXPECT_EQ(Measure("&File", DT_HIDEPREFIX).Width(), Width("File"));
}

TEST(TextFormatMeasure, LineBreaksOfEveryKind)
{
    TRect r = Measure("one\ntwo\r\nthree\rfour", 0);
    EXPECT_EQ(r.Height(), 4 * LineHeight());
    EXPECT_EQ(r.Width(), Width("three"));
    // A single line keeps everything on one line.
    EXPECT_EQ(Measure("one\ntwo", DT_SINGLELINE).Height(), LineHeight());
}

TEST(TextFormatMeasure, WordBreakUsesTheRectangleWidth)
{
    const std::string text = "Set the image as Wallpaper";
    int width = Width("Set the image") + 2;
    TRect r = Measure(text, DT_WORDBREAK, Rect(0, 0, width, 0));
    EXPECT_EQ(r.Height(), 2 * LineHeight());
    EXPECT_EQ(r.Width(), std::max(Width("Set the image"), Width("as Wallpaper")));
    // Wide enough: one line.
    r = Measure(text, DT_WORDBREAK, Rect(0, 0, Width(text), 0));
    EXPECT_EQ(r.Height(), LineHeight());
}

TEST(TextFormatMeasure, WordWiderThanTheRectangleWidensIt)
{
    TRect r = Measure("a Extraordinarily b", DT_WORDBREAK, Rect(0, 0, 20, 0));
    EXPECT_EQ(r.Height(), 3 * LineHeight());
    EXPECT_EQ(r.Width(), Width("Extraordinarily"));
}

TEST(TextFormatMeasure, TabsExpandToEightAverageCharacters)
{
    int stop = 8 * TTextRenderer::TextMetrics(Dialog()).tmAveCharWidth;
    EXPECT_EQ(Measure("a\tb", DT_EXPANDTABS).Width(), stop + Width("b"));
    EXPECT_EQ(Measure("a\t\tb", DT_EXPANDTABS).Width(), 2 * stop + Width("b"));
}

// ---- Placement -----------------------------------------------------------------------

TEST(TextFormatPlace, HorizontalAlignment)
{
    const TRect rect = Rect(10, 5, 110, 30);
    const int w = Width("Hi there");
    EXPECT_TRUE(SamePixels(Drawn(130, 40, "Hi there", rect, DT_SINGLELINE | DT_LEFT),
                           Expected(130, 40, {{10, 5, "Hi there"}})));
    EXPECT_TRUE(SamePixels(Drawn(130, 40, "Hi there", rect, DT_SINGLELINE | DT_CENTER),
                           Expected(130, 40, {{10 + (100 - w) / 2, 5, "Hi there"}})));
    EXPECT_TRUE(SamePixels(Drawn(130, 40, "Hi there", rect, DT_SINGLELINE | DT_RIGHT),
                           Expected(130, 40, {{110 - w, 5, "Hi there"}})));
}

TEST(TextFormatPlace, VerticalAlignmentOfASingleLine)
{
    const TRect rect = Rect(0, 10, 80, 50);
    const int h = LineHeight();
    int result = 0;
    EXPECT_TRUE(SamePixels(Drawn(90, 60, "Mid", rect, DT_SINGLELINE | DT_VCENTER, &result),
                           Expected(90, 60, {{0, 10 + (40 - h) / 2, "Mid"}})));
    EXPECT_EQ(result, (40 - h) / 2 + h);
    EXPECT_TRUE(SamePixels(Drawn(90, 60, "Low", rect, DT_SINGLELINE | DT_BOTTOM, &result),
                           Expected(90, 60, {{0, 50 - h, "Low"}})));
    EXPECT_EQ(result, 40);
    // Without a single line, vertical centring does not apply.
    EXPECT_TRUE(SamePixels(Drawn(90, 60, "Top", rect, DT_VCENTER, &result), Expected(90, 60, {{0, 10, "Top"}})));
    EXPECT_EQ(result, h);
}

TEST(TextFormatPlace, WrappedLinesAreCentredOneByOne)
{
    const int width = Width("Set the image") + 4;
    const TRect rect = Rect(0, 0, width, 60);
    const int h = LineHeight();
    int result = 0;
    TBitmap drawn = Drawn(width + 10, 60, "Set the image as Wallpaper", rect, DT_WORDBREAK | DT_CENTER, &result);
    EXPECT_EQ(result, 2 * h);
    EXPECT_TRUE(SamePixels(drawn, Expected(width + 10, 60,
                                           {{(width - Width("Set the image")) / 2, 0, "Set the image"},
                                            {(width - Width("as Wallpaper")) / 2, h, "as Wallpaper"}})));
}

// ---- Prefixes ------------------------------------------------------------------------

TEST(TextFormatPrefix, AmpersandUnderlinesTheNextCharacter)
{
    const TRect rect = Rect(4, 3, 100, 20);
    TBitmap drawn = Drawn(110, 25, "&Accept", rect, 0);
    EXPECT_TRUE(SamePixels(drawn, Expected(110, 25, {{4, 3, "A", true}, {4 + Width("A"), 3, "ccept"}})));
    drawn = Drawn(110, 25, "Can&cel", rect, 0);
    EXPECT_TRUE(SamePixels(drawn, Expected(110, 25, {{4, 3, "Can"}, {4 + Width("Can"), 3, "c", true},
                                                     {4 + Width("Canc"), 3, "el"}})));
    // The underline is really there: differs from plain text.
    EXPECT_FALSE(SamePixels(drawn, Expected(110, 25, {{4, 3, "Cancel"}})));
}

// ---- Ellipses ------------------------------------------------------------------------

TEST(TextFormatEllipsis, EndEllipsisKeepsTheLongestFittingStart)
{
    const std::string text = "Configuration of the screen saver";
    const int width = Width(text) / 2;
    std::string kept = text;
    while (!kept.empty() && Width(kept + "...") > width) kept.pop_back();
    ASSERT_FALSE(kept.empty());
    TBitmap drawn = Drawn(200, 20, text, Rect(0, 0, width, 20), DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_TRUE(SamePixels(drawn, Expected(200, 20, {{0, 0, kept + "..."}})));
    EXPECT_LE(InkBounds(drawn).Right, width);
}

TEST(TextFormatEllipsis, PathEllipsisKeepsTheLastComponent)
{
    const std::string text = "C:\\Program Files\\Veltrane\\Vtnimg01.bmp";
    const int width = Width("C:\\Prog...\\Vtnimg01.bmp") + 1;
    std::string head = "C:\\Program Files\\Veltrane";
    while (!head.empty() && Width(head + "...\\Vtnimg01.bmp") > width) head.pop_back();
    EXPECT_TRUE(SamePixels(Drawn(250, 20, text, Rect(0, 0, width, 20), DT_SINGLELINE | DT_PATH_ELLIPSIS),
                           Expected(250, 20, {{0, 0, head + "...\\Vtnimg01.bmp"}})));
}

// ---- Clipping ------------------------------------------------------------------------

TEST(TextFormatClip, TextIsClippedToTheRectangleUnlessNoClip)
{
    const TRect rect = Rect(10, 10, 40, 16);
    TBitmap clipped = Drawn(150, 40, "Clipped away text", rect, DT_SINGLELINE);
    TRect ink = InkBounds(clipped);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 40);
    EXPECT_LE(ink.Bottom, 16);
    EXPECT_TRUE(SamePixels(clipped, Expected(150, 40, {{10, 10, "Clipped away text"}}, rect)));

    TBitmap free = Drawn(150, 40, "Clipped away text", rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(free).Right, 40);
}

TEST(TextFormatClip, EscapementIsIgnoredForFormattedText)
{
    TFont rotated = MakeFont("Tahoma", -11, {}, 900);
    TBitmap bitmap = WhiteBitmap(100, 20);
    TRect rect = Rect(0, 0, 100, 20);
    DrawFormattedText(&bitmap, rotated, "Flat", rect, 0);
    EXPECT_TRUE(SamePixels(bitmap, Expected(100, 20, {{0, 0, "Flat"}})));
}
