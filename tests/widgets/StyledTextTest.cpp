#include "widgets/StyledText.h"

#include "WidgetPixels.h"

#include "gfx/DrawText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace widgettest;

namespace {

constexpr TColor Ink = 0x000000FF;     // the font's own colour: pure red
constexpr TColor Outline = 0x00FF0000;
constexpr TColor Lit = 0x0000FFFF;
constexpr TColor Dim = 0x00004000;

struct TPass {
    TColor Color;
    int Dx;
    int Dy;
};

TFont CaptionFont(int escapement = 0) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-15);
    font.SetStyle({fsBold});
    font.SetColor(Ink);
    font.SetEscapement(escapement);
    return font;
}

const std::string Caption = "Images";

// What formatted-text passes at the given offsets produce, drawn one by one.
TBitmap FormattedPasses(int w, int h, const TFont& font, const TRect& rect, std::uint32_t flags,
                        const std::vector<TPass>& passes) {
    TBitmap bitmap = PaperBitmap(w, h);
    TCanvas& c = bitmap.Canvas();
    c.SetFont(font);
    c.SetBkMode(bmTransparent);
    for (const TPass& p : passes) {
        c.SetTextColor(p.Color);
        TRect r = Rect(rect.Left + p.Dx, rect.Top + p.Dy, rect.Right + p.Dx, rect.Bottom + p.Dy);
        c.DrawText(Caption, r, flags);
    }
    return bitmap;
}

// What clipped text output at the given offsets from (x, y) produces.
TBitmap PointPasses(int w, int h, const TFont& font, int x, int y, const TRect& clip, const std::vector<TPass>& passes) {
    TBitmap bitmap = PaperBitmap(w, h);
    TCanvas& c = bitmap.Canvas();
    c.SetFont(font);
    c.SetBkMode(bmTransparent);
    for (const TPass& p : passes) {
        c.SetTextColor(p.Color);
        c.TextRect(clip, x + p.Dx, y + p.Dy, Caption);
    }
    return bitmap;
}

const TColor Highlight = clBtnHighlight;
const TColor Shadow = clBtnShadow;

TBitmap Styled(TglTextStyle style, TglHorAlign h = fhaCenter, TglVertAlign v = fvaCenter, std::uint32_t base = 0) {
    TBitmap bitmap = PaperBitmap(90, 30);
    const TFont font = CaptionFont();
    DrawStyledText(bitmap.Canvas(), Rect(5, 3, 85, 27), Caption, h, v, style, &font, base);
    return bitmap;
}

TBitmap StyledAt(TglTextStyle style, bool outline, bool skip, const TRect& clip = Rect(0, 0, 90, 40), int escapement = 0) {
    TBitmap bitmap = PaperBitmap(90, 40);
    const TFont font = CaptionFont(escapement);
    DrawStyledTextAt(bitmap.Canvas(), 10, 8, clip, Caption, style, outline, skip, Ink, Outline, Lit, Dim, &font);
    return bitmap;
}

TBitmap ExpectedAt(const std::vector<TPass>& passes, const TRect& clip = Rect(0, 0, 90, 40), int escapement = 0) {
    return PointPasses(90, 40, CaptionFont(escapement), 10, 8, clip, passes);
}

} // namespace

TEST(StyledTextFlags, BaseAndAlignments) {
    EXPECT_EQ(StyledTextFlags(fhaLeft, fvaTop, 0), DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(StyledTextFlags(fhaCenter, fvaCenter, DT_SINGLELINE), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(StyledTextFlags(fhaRight, fvaBottom, DT_WORDBREAK), DT_WORDBREAK | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(StyledTextFlags(fhaLeft, fvaTop, DT_WORDBREAK), DT_WORDBREAK);
}

TEST(StyledText, EachStyleIsItsPassesInOrder) {
    const TFont font = CaptionFont();
    const TRect rect = Rect(5, 3, 85, 27);
    const std::uint32_t flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    struct TCase {
        TglTextStyle Style;
        std::vector<TPass> Passes;
    };
    const std::vector<TCase> cases = {
        {fstNone, {{Ink, 0, 0}}},
        {fstVolumetric, {{Ink, 0, 0}}},
        {fstRaised, {{Highlight, -1, -1}, {Shadow, 1, 1}, {Ink, 0, 0}}},
        {fstRecessed, {{Shadow, -1, -1}, {Highlight, 1, 1}, {Ink, 0, 0}}},
        {fstPushed, {{Highlight, 0, 0}, {Shadow, -1, -1}}},
        {fstShadow, {{Shadow, 2, 2}, {Ink, 0, 0}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FirstDifference(Styled(c.Style), FormattedPasses(90, 30, font, rect, flags, c.Passes)), "")
            << "style " << int(c.Style);
}

TEST(StyledText, ShadowReachesTwoPixelsRightAndDown) {
    const TRect plain = InkBounds(Styled(fstNone));
    const TRect shadowed = InkBounds(Styled(fstShadow));
    ASSERT_FALSE(plain.IsEmpty());
    EXPECT_EQ(shadowed, Rect(plain.Left, plain.Top, plain.Right + 2, plain.Bottom + 2));
    const TRect raised = InkBounds(Styled(fstRaised));
    EXPECT_EQ(raised, Rect(plain.Left - 1, plain.Top - 1, plain.Right + 1, plain.Bottom + 1));
}

TEST(StyledText, PushedDrawsNothingInTheFontColour) {
    EXPECT_GT(CountColor(Styled(fstNone), Ink), 0) << "the caption font has solid pixels";
    EXPECT_EQ(CountColor(Styled(fstPushed), Ink), 0);
}

TEST(StyledText, AlignmentsPlaceTheCaption) {
    const TRect left = InkBounds(Styled(fstNone, fhaLeft, fvaTop));
    const TRect right = InkBounds(Styled(fstNone, fhaRight, fvaBottom));
    const TRect centre = InkBounds(Styled(fstNone, fhaCenter, fvaCenter));
    EXPECT_LE(left.Left, 6);
    EXPECT_GE(right.Right, 83);
    EXPECT_LE(right.Right, 85);
    EXPECT_EQ(left.Width(), right.Width());
    EXPECT_LT(left.Left, centre.Left);
    EXPECT_LT(centre.Left, right.Left);
    // Base flags 0 mean one line centred vertically, whatever fvaTop says.
    EXPECT_EQ(left.Top, centre.Top);
    // With explicit single-line flags, top and bottom alignment differ.
    const TRect top = InkBounds(Styled(fstNone, fhaLeft, fvaTop, DT_SINGLELINE));
    const TRect bottom = InkBounds(Styled(fstNone, fhaLeft, fvaBottom, DT_SINGLELINE));
    EXPECT_LT(top.Top, centre.Top);
    EXPECT_GT(bottom.Top, centre.Top);
    EXPECT_LE(bottom.Bottom, 27);
}

TEST(StyledText, NothingWithoutAFontAndTheCanvasComesBack) {
    TBitmap bitmap = PaperBitmap(40, 20);
    TCanvas& canvas = bitmap.Canvas();
    DrawStyledText(canvas, Rect(0, 0, 40, 20), Caption, fhaLeft, fvaTop, fstRaised, nullptr, 0);
    DrawStyledTextAt(canvas, 0, 0, Rect(0, 0, 40, 20), Caption, fstRaised, true, false, Ink, Outline, Lit, Dim, nullptr);
    EXPECT_EQ(CountColor(bitmap, Paper), 800);

    TFont own;
    own.SetName("Tahoma");
    own.SetColor(clGreen);
    canvas.SetFont(own);
    canvas.SetBkMode(bmOpaque);
    canvas.SetTextColor(clNavy);
    const TFont font = CaptionFont();
    DrawStyledText(canvas, Rect(0, 0, 40, 20), Caption, fhaLeft, fvaTop, fstShadow, &font, 0);
    DrawStyledTextAt(canvas, 0, 0, Rect(0, 0, 40, 20), Caption, fstVolumetric, false, false, Ink, Outline, Lit, Dim, &font);
    EXPECT_TRUE(canvas.Font().SameAs(own));
    EXPECT_EQ(canvas.BkMode(), bmOpaque);
    EXPECT_EQ(canvas.TextColor(), clNavy);
}

TEST(StyledTextAt, EachStyleIsItsPassesInOrder) {
    struct TCase {
        TglTextStyle Style;
        bool Outline;
        bool Skip;
        std::vector<TPass> Passes;
    };
    const std::vector<TCase> cases = {
        {fstNone, false, false, {{Ink, 0, 0}}},
        {fstNone, true, false, {{Outline, 0, 0}, {Outline, 2, 2}, {Outline, 0, 2}, {Outline, 2, 0}, {Ink, 1, 1}}},
        {fstNone, true, true, {{Ink, 1, 1}}},
        {fstRaised, false, false, {{Lit, 0, 0}, {Dim, 2, 2}, {Ink, 1, 1}}},
        {fstRaised, true, false,
         {{Lit, 0, 0}, {Dim, 4, 4}, {Outline, 1, 1}, {Outline, 3, 3}, {Outline, 1, 3}, {Outline, 3, 1}, {Ink, 2, 2}}},
        {fstRaised, false, true, {{Ink, 1, 1}}},
        {fstRecessed, false, false, {{Dim, 0, 0}, {Lit, 2, 2}, {Ink, 1, 1}}},
        {fstPushed, false, false, {{Lit, 1, 1}, {Dim, 0, 0}}},
        {fstPushed, true, true, {{Lit, 1, 1}, {Dim, 0, 0}}},
        {fstShadow, false, false, {{Dim, 2, 2}, {Ink, 0, 0}}},
        {fstShadow, true, false,
         {{Dim, 3, 3}, {Outline, 0, 0}, {Outline, 2, 2}, {Outline, 0, 2}, {Outline, 2, 0}, {Ink, 1, 1}}},
        {fstShadow, false, true, {{Ink, 0, 0}}},
        {fstVolumetric, false, false, {{Dim, 1, 1}, {Dim, 2, 2}, {Ink, 0, 0}}},
        {fstVolumetric, false, true, {{Ink, 0, 0}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FirstDifference(StyledAt(c.Style, c.Outline, c.Skip), ExpectedAt(c.Passes)), "")
            << "style " << int(c.Style) << " outline " << c.Outline << " skip " << c.Skip;
}

TEST(StyledTextAt, ShadowOffsetsMoveTheInk) {
    const TRect plain = InkBounds(StyledAt(fstNone, false, false));
    ASSERT_FALSE(plain.IsEmpty());
    EXPECT_EQ(InkBounds(StyledAt(fstShadow, false, false)),
              Rect(plain.Left, plain.Top, plain.Right + 2, plain.Bottom + 2));
    EXPECT_EQ(InkBounds(StyledAt(fstVolumetric, false, false)),
              Rect(plain.Left, plain.Top, plain.Right + 2, plain.Bottom + 2));
    EXPECT_EQ(InkBounds(StyledAt(fstRaised, false, true)),
              Rect(plain.Left + 1, plain.Top + 1, plain.Right + 1, plain.Bottom + 1));
}

TEST(StyledTextAt, PassesAreClippedToTheRectangle) {
    const TRect clip = Rect(12, 10, 40, 20);
    const TBitmap bitmap = StyledAt(fstRaised, true, false, clip);
    const TRect ink = InkBounds(bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, clip.Left);
    EXPECT_GE(ink.Top, clip.Top);
    EXPECT_LE(ink.Right, clip.Right);
    EXPECT_LE(ink.Bottom, clip.Bottom);
}

TEST(StyledTextAt, RotatedCaptionsRunUpFromThePoint) {
    TBitmap bitmap = PaperBitmap(60, 90);
    const TFont font = CaptionFont(900);
    DrawStyledTextAt(bitmap.Canvas(), 20, 80, Rect(0, 0, 60, 90), Caption, fstShadow, false, false, Ink, Outline, Lit,
                     Dim, &font);
    const TRect ink = InkBounds(bitmap);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), ink.Width()) << "text going up is taller than wide";
    EXPECT_LE(ink.Bottom, 80 + 3);
    EXPECT_GE(ink.Left, 18);

    TBitmap expected = PaperBitmap(60, 90);
    TCanvas& c = expected.Canvas();
    c.SetFont(font);
    c.SetBkMode(bmTransparent);
    c.SetTextColor(Dim);
    c.TextRect(Rect(0, 0, 60, 90), 22, 82, Caption);
    c.SetTextColor(Ink);
    c.TextRect(Rect(0, 0, 60, 90), 20, 80, Caption);
    EXPECT_EQ(FirstDifference(bitmap, expected), "");
}
