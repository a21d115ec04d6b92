#include "widgets/Label3DDraw.h"

#include "WidgetPixels.h"

#include "gfx/DrawText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace widgettest;

namespace {

constexpr TColor Ink = 0x003E9EFF;
constexpr TColor Dark = 0x00202080;
constexpr TColor Light = 0x0080FF80;

TLabel3DCaption Caption(TTextStyle style, const std::string& text = "Veltrane") {
    TLabel3DCaption c;
    c.Caption = text;
    c.Font.SetName("Arial");
    c.Font.SetHeight(-19);
    c.Font.SetStyle({fsBold});
    c.Font.SetColor(Ink);
    c.TextStyle = style;
    c.ShadowColor = Dark;
    c.HighlightColor = Light;
    return c;
}

struct TPass {
    TColor Color;
    int Offset;
};

constexpr int W = 140, H = 40;
const TRect Client = Rect(10, 10, 130, 32);

TBitmap Draw(const TLabel3DCaption& caption, std::uint32_t flags = DT_EXPANDTABS | DT_CENTER) {
    TBitmap b = PaperBitmap(W, H);
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    TRect r = Client;
    DrawLabel3DCaption(c, r, flags, caption, nullptr);
    return b;
}

// The same text drawn pass by pass with plain formatted text.
TBitmap Passes(const TLabel3DCaption& caption, const std::vector<TPass>& passes,
               std::uint32_t flags = DT_EXPANDTABS | DT_CENTER) {
    TBitmap b = PaperBitmap(W, H);
    TCanvas& c = b.Canvas();
    c.SetFont(caption.Font);
    c.SetBkMode(bmTransparent);
    for (const TPass& p : passes) {
        c.SetTextColor(p.Color);
        TRect r = Rect(Client.Left + p.Offset, Client.Top + p.Offset, Client.Right + p.Offset, Client.Bottom + p.Offset);
        c.DrawText(caption.Caption, r, flags);
    }
    return b;
}

} // namespace

TEST(Label3DCaption, StylesDrawTheirPassesInOrder) {
    const struct {
        TTextStyle Style;
        std::vector<TPass> Passes;
    } cases[] = {
        {tsNone, {{Ink, 0}}},
        {tsRaised, {{Dark, 1}, {Ink, 0}}},
        {tsLightRaised, {{Dark, 1}, {Light, -1}, {Ink, 0}}},
        {tsRecessed, {{Light, 1}, {Ink, 0}}},
        {tsHeavyRecessed, {{Light, 1}, {Dark, -1}, {Ink, 0}}},
        {tsShadow, {{Dark, 1}, {Ink, 0}}},
    };
    for (const auto& k : cases) {
        const TLabel3DCaption caption = Caption(k.Style);
        EXPECT_EQ(FirstDifference(Draw(caption), Passes(caption, k.Passes)), "") << int(k.Style);
    }
}

TEST(Label3DCaption, ShadowFollowsShift) {
    TLabel3DCaption caption = Caption(tsShadow);
    const TRect plain = InkBounds(Draw(Caption(tsNone)));
    caption.Shift = 3;
    TRect shadowed = InkBounds(Draw(caption));
    EXPECT_EQ(shadowed, Rect(plain.Left, plain.Top, plain.Right + 3, plain.Bottom + 3));
    caption.Shift = -2;
    shadowed = InkBounds(Draw(caption));
    EXPECT_EQ(shadowed, Rect(plain.Left - 2, plain.Top - 2, plain.Right, plain.Bottom));
    caption.Shift = INT_MIN; // far off: only the main pass is seen
    EXPECT_EQ(FirstDifference(Draw(caption), Draw(Caption(tsNone))), "");
}

TEST(Label3DCaption, DisabledMainPassIsGrayTextAndEffectsKeepTheirColours) {
    TLabel3DCaption caption = Caption(tsRaised);
    caption.Enabled = false;
    const TBitmap b = Draw(caption);
    EXPECT_EQ(FirstDifference(b, Passes(caption, {{Dark, 1}, {ColorToDrawRGB(clGrayText), 0}})), "");
    EXPECT_EQ(CountColor(b, Ink), 0);
    EXPECT_GT(CountColor(b, ColorToDrawRGB(clGrayText)), 0);
}

TEST(Label3DCaption, MeasuringGivesTheUnshiftedTextSize) {
    const TLabel3DCaption caption = Caption(tsRaised);
    TBitmap b = PaperBitmap(4, 4);
    TRect r = Rect(0, 0, 0, 0);
    DrawLabel3DCaption(b.Canvas(), r, DT_EXPANDTABS | DT_CALCRECT, caption, nullptr);
    const TSize extent = TTextRenderer::TextExtent(caption.Font, caption.Caption);
    EXPECT_EQ(r, Rect(0, 0, extent.cx, extent.cy));
    EXPECT_TRUE(AllColor(b, Paper, Rect(0, 0, 4, 4)));
}

TEST(Label3DCaption, EmptyCaptionAndLoneAmpersandMeasureAsASpace) {
    const TSize space = TTextRenderer::TextExtent(Caption(tsNone).Font, " ");
    for (const char* text : {"", "&"}) {
        TBitmap b = PaperBitmap(4, 4);
        TRect r = Rect(0, 0, 0, 0);
        DrawLabel3DCaption(b.Canvas(), r, DT_CALCRECT, Caption(tsRaised, text), nullptr);
        EXPECT_EQ(r, Rect(0, 0, space.cx, space.cy)) << text;
    }
    // Without accelerators "&" is a character of its own.
    TLabel3DCaption amp = Caption(tsNone, "&");
    amp.ShowAccelChar = false;
    TBitmap b = PaperBitmap(4, 4);
    TRect r = Rect(0, 0, 0, 0);
    DrawLabel3DCaption(b.Canvas(), r, DT_CALCRECT, amp, nullptr);
    EXPECT_EQ(r.Right, TTextRenderer::TextExtent(amp.Font, "&").cx);
}

TEST(Label3DCaption, FlagsFollowAcceleratorsEllipsesAndLayout) {
    TLabel3DCaption c = Caption(tsNone);
    EXPECT_EQ(Label3DTextFlags(c, DT_CENTER), DT_CENTER);
    c.ShowAccelChar = false;
    c.EllipsesStyle = esEnd;
    c.LayoutFlags = DT_VCENTER | DT_SINGLELINE;
    EXPECT_EQ(Label3DTextFlags(c, 0), DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE);
    c.EllipsesStyle = esPath;
    c.Escapement = 90; // layout plays no part for rotated text
    EXPECT_EQ(Label3DTextFlags(c, 0), DT_NOPREFIX | DT_PATH_ELLIPSIS);
}

TEST(Label3DCaption, RotatedPassesGoThroughTheRotatedStepWithTheirColours) {
    TLabel3DCaption caption = Caption(tsLightRaised);
    caption.Escapement = 90;
    struct TCall {
        TColor Color;
        TRect Rect;
        int Angle;
    };
    std::vector<TCall> calls;
    TBitmap b = PaperBitmap(W, H);
    TRect r = Client;
    DrawLabel3DCaption(b.Canvas(), r, DT_CALCRECT, caption, [&](TCanvas& c, TRect rect, const std::string& text, int a) {
        EXPECT_EQ(text, "Veltrane");
        calls.push_back({c.TextColor(), rect, a});
    });
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].Color, Dark);
    EXPECT_EQ(calls[0].Rect, Rect(11, 11, 131, 33));
    EXPECT_EQ(calls[1].Color, Light);
    EXPECT_EQ(calls[1].Rect, Rect(9, 9, 129, 31));
    EXPECT_EQ(calls[2].Color, Ink);
    EXPECT_EQ(calls[2].Angle, 90);
    // The rotated path measures nothing: the rectangle stays as it was given.
    EXPECT_EQ(r, Client);
}

TEST(Label3DBevel, RaisedBorderOnATenByTenLabel) {
    TBitmap b = PaperBitmap(10, 10);
    DrawLabel3DBorder(b.Canvas(), btRaised, 10, 10);
    EXPECT_TRUE(AllColor(b, 0xFFFFFF, Rect(0, 0, 9, 1)));  // row 0, columns 0..8
    EXPECT_TRUE(AllColor(b, 0xFFFFFF, Rect(0, 0, 1, 9)));  // column 0, rows 0..8
    EXPECT_TRUE(AllColor(b, 0x808080, Rect(9, 1, 10, 10))); // column 9, rows 1..9
    EXPECT_TRUE(AllColor(b, 0x808080, Rect(1, 9, 10, 10))); // row 9, columns 1..9
    EXPECT_EQ(b.GetPixel(9, 0), Paper);
    EXPECT_EQ(b.GetPixel(0, 9), Paper);
    EXPECT_TRUE(AllColor(b, Paper, Rect(1, 1, 9, 9)));
    EXPECT_EQ(b.Canvas().Pen().Color(), 0x808080u); // the pen keeps the second colour
}

TEST(Label3DBevel, RecessedBorderSwapsTheColours) {
    TBitmap b = PaperBitmap(10, 10);
    DrawLabel3DBorder(b.Canvas(), btRecessed, 10, 10);
    EXPECT_TRUE(AllColor(b, 0x808080, Rect(0, 0, 9, 1)));
    EXPECT_TRUE(AllColor(b, 0xFFFFFF, Rect(9, 1, 10, 10)));
    EXPECT_EQ(b.Canvas().Pen().Color(), 0xFFFFFFu);
}

TEST(Label3DBevel, DefaultBorderIsAnOutlineInThePen) {
    TBitmap b = PaperBitmap(10, 10);
    b.Canvas().Pen().SetColor(clRed);
    b.Canvas().Brush().SetColor(clBlue);
    DrawLabel3DBorder(b.Canvas(), btDefault, 10, 10);
    EXPECT_EQ(CountColor(b, clRed), 36);
    EXPECT_TRUE(AllColor(b, Paper, Rect(1, 1, 9, 9)));
    EXPECT_EQ(b.Canvas().Brush().Style(), bsSolid);
}

// The lines of an empty border end at its origin (2, 2): nothing lands right of it or below.
TEST(Label3DBevel, ZeroAndNegativeSizesStayInside) {
    for (TBorderType type : {btDefault, btRecessed, btRaised}) {
        TBitmap b = PaperBitmap(4, 4);
        b.Canvas().MoveOrigin(2, 2);
        DrawLabel3DBorder(b.Canvas(), type, 0, 0);
        DrawLabel3DBorder(b.Canvas(), type, -3, -3);
        EXPECT_TRUE(AllColor(b, Paper, Rect(3, 0, 4, 4))) << static_cast<int>(type);
        EXPECT_TRUE(AllColor(b, Paper, Rect(0, 3, 4, 4))) << static_cast<int>(type);
    }
}
