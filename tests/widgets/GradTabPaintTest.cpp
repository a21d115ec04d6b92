#include "widgets/GradTabPaint.h"
#include "widgets/GradientFill.h"

#include "WidgetPixels.h"

#include "gfx/MulDiv.h"

#include <gtest/gtest.h>

using namespace widgettest;

namespace {

constexpr TColor DialogBlue = 0x00984E00;

TColor Band(TColor from, TColor to, int i, int n) { return GradientBandColor(from, to, i, n); }

// The dialog's two styles: grey-to-black unselected tabs without borders, blue-to-white selected ones.
struct TDialogStyles {
    TGradTabStyle Normal;
    TGradTabStyle Selected;
    TFont NormalFont;
    TFont SelectedFont;
    TDialogStyles() {
        Normal.SetBorders(TglSides{});
        Normal.SetBackgrColor(0x006E4E00);
        Normal.SetCaptionHAlign(fhaCenter);
        Normal.Gradient().SetActive(true);
        Selected.SetCaptionHAlign(fhaCenter);
        Selected.SetTextStyle(fstShadow);
        Selected.Gradient().SetActive(true);
        Selected.Gradient().SetFromColor(DialogBlue);
        Selected.Gradient().SetToColor(clWhite);
        NormalFont.SetName("Arial");
        NormalFont.SetColor(clBtnHighlight);
        SelectedFont = NormalFont;
        SelectedFont.SetStyle({fsBold});
        SelectedFont.SetColor(clWhite);
    }
};

TTabPaintRecord Record(TBitmap& bitmap, const TRect& item, bool selected, const TGradTabStyle& style,
                       const TFont* font, TglSide position = fsdBottom) {
    TTabPaintRecord r;
    r.DrawItem.Canvas = &bitmap.Canvas();
    r.DrawItem.ItemRect = item;
    r.DrawItem.ItemID = 0;
    r.DrawItem.ItemState = selected ? ODS_SELECTED : 0;
    r.ClientRect = Rect(0, 0, bitmap.Width(), bitmap.Height());
    r.TabCount = 3;
    r.Caption = "Images";
    r.Style = &style;
    r.ItemFont = font;
    r.TabsPosition = position;
    r.Options = TglTabOptions{ftoAutoFontDirection, ftoExcludeGlyphs};
    r.ItemColor = style.BackgrColor();
    return r;
}

TBitmap Tile(TColor a, TColor b) {
    TBitmap t(2, 1, TPixelFormat::pf32bit);
    t.SetPixel(0, 0, a);
    t.SetPixel(1, 0, b);
    return t;
}

} // namespace

TEST(GradTabRects, TabRectanglesByPosition) {
    const TRect i = Rect(10, 20, 60, 40);
    EXPECT_EQ(TabPaintRect(i, fsdBottom, false, false, TglSides{}), Rect(11, 18, 58, 37));
    EXPECT_EQ(TabPaintRect(i, fsdBottom, false, false, TglSides{fsdTop}), Rect(11, 19, 58, 37));
    EXPECT_EQ(TabPaintRect(i, fsdBottom, true, false, AllSides), Rect(13, 20, 56, 37));
    EXPECT_EQ(TabPaintRect(i, fsdTop, false, false, AllSides), Rect(11, 22, 58, 40));
    EXPECT_EQ(TabPaintRect(i, fsdTop, true, false, AllSides), Rect(13, 22, 56, 38));
    EXPECT_EQ(TabPaintRect(i, fsdLeft, false, false, AllSides), Rect(12, 20, 60, 38));
    EXPECT_EQ(TabPaintRect(i, fsdLeft, true, false, AllSides), Rect(12, 22, 58, 36));
    EXPECT_EQ(TabPaintRect(i, fsdRight, false, false, AllSides), Rect(10, 20, 56, 38));
    EXPECT_EQ(TabPaintRect(i, fsdRight, true, false, AllSides), Rect(10, 22, 56, 36));
    EXPECT_EQ(TabPaintRect(i, fsdRight, false, true, AllSides), Rect(9, 19, 59, 39));
    EXPECT_EQ(TabPaintRect(i, fsdRight, true, true, AllSides), i);
}

TEST(GradTabRects, PageAreaByPosition) {
    const TRect c = Rect(0, 0, 200, 100), i = Rect(10, 80, 60, 100);
    EXPECT_EQ(TabPageAreaRect(c, i, fsdBottom, false, false), Rect(1, 1, 199, 75));
    EXPECT_EQ(TabPageAreaRect(c, i, fsdBottom, true, false), Rect(1, 1, 199, 81));
    EXPECT_EQ(TabPageAreaRect(c, i, fsdTop, false, true), Rect(1, 24, 199, 99));
    EXPECT_EQ(TabPageAreaRect(c, i, fsdLeft, false, true), Rect(53, 1, 199, 99));
    EXPECT_EQ(TabPageAreaRect(c, i, fsdRight, false, false), Rect(1, 1, 145, 99));
}

TEST(GradTabPaint, DialogUnselectedTabIsAGreyToBlackBandPerRow) {
    TDialogStyles s;
    TBitmap b = PaperBitmap(120, 40);
    const TRect item = Rect(10, 15, 110, 35);
    PaintTab(Record(b, item, false, s.Normal, &s.NormalFont));
    // P = (11, 13, 108, 32): 19 rows, two above the item since the style has no top border.
    for (int row = 0; row < 19; ++row) {
        EXPECT_EQ(b.GetPixel(11, 13 + row), Band(clGray, clBlack, row, 19)) << row;
        EXPECT_EQ(b.GetPixel(107, 13 + row), Band(clGray, clBlack, row, 19)) << row;
    }
    EXPECT_EQ(b.GetPixel(10, 20), Paper);
    EXPECT_EQ(b.GetPixel(108, 20), Paper);
    EXPECT_TRUE(AllColor(b, Paper, Rect(0, 0, 120, 13)));
    EXPECT_TRUE(AllColor(b, Paper, Rect(0, 33, 120, 40)));
    EXPECT_EQ(CountColor(b, 0x006E4E00), 0); // the background colour shows nowhere
    // The caption is drawn inside the tab, centred: compared with a tab without caption,
    // only pixels of the middle differ.
    EXPECT_EQ(InkBounds(b), Rect(11, 13, 108, 32));
    TBitmap bare = PaperBitmap(120, 40);
    TTabPaintRecord r = Record(bare, item, false, s.Normal, &s.NormalFont);
    r.Caption.clear();
    PaintTab(r);
    int differing = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (b.GetPixel(x, y) != bare.GetPixel(x, y)) (x >= 35 && x < 85 ? differing : outside)++;
    EXPECT_GT(differing, 20);
    EXPECT_EQ(outside, 0);
}

TEST(GradTabPaint, TopBorderKeepsTheBottomTabOnePixelLower) {
    TDialogStyles s;
    s.Normal.SetBorders(TglSides{fsdTop});
    TBitmap b = PaperBitmap(120, 40);
    PaintTab(Record(b, Rect(10, 15, 110, 35), false, s.Normal, nullptr));
    EXPECT_EQ(InkBounds(b), Rect(11, 14, 108, 32));
    EXPECT_EQ(b.GetPixel(11, 14), Band(clGray, clBlack, 0, 18));
}

TEST(GradTabPaint, DialogSelectedTabJoinsThePage) {
    TDialogStyles s;
    TBitmap b = PaperBitmap(120, 40);
    const TRect item = Rect(8, 13, 112, 37); // the selected tab's larger rectangle
    PaintTab(Record(b, item, true, s.Selected, &s.SelectedFont));
    const TColor face = ColorToDrawRGB(clBtnFace);
    // Two rows of button face from L to R - 3 where the tab meets the page.
    EXPECT_TRUE(AllColor(b, face, Rect(8, 13, 11, 15)));
    EXPECT_TRUE(AllColor(b, face, Rect(108, 13, 110, 15)));
    EXPECT_EQ(b.GetPixel(110, 13), Paper);
    // P = (11, 13, 108, 34): 21 blue-to-white rows.
    for (int row = 0; row < 21; ++row) EXPECT_EQ(b.GetPixel(11, 13 + row), Band(DialogBlue, clWhite, row, 21)) << row;
    EXPECT_EQ(b.GetPixel(11, 13), DialogBlue);
    EXPECT_EQ(b.GetPixel(107, 33), clWhite);
    EXPECT_TRUE(AllColor(b, Paper, Rect(0, 34, 120, 40)));
}

TEST(GradTabPaint, CanvasStateIsRestored) {
    TDialogStyles s;
    TBitmap b = PaperBitmap(120, 40);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clLime);
    c.SetBkMode(bmOpaque);
    PaintTab(Record(b, Rect(8, 13, 112, 37), true, s.Selected, &s.SelectedFont));
    EXPECT_EQ(c.Pen().Color(), clRed);
    EXPECT_EQ(c.Brush().Color(), clLime);
    EXPECT_EQ(c.BkMode(), bmOpaque);
    EXPECT_EQ(c.SavedStates(), 0);
}

TEST(GradTabPaint, BackgroundFillsWhenNoGradient) {
    TGradTabStyle style;
    style.SetBackgrColor(clRed);
    TBitmap b = PaperBitmap(60, 40);
    PaintTab(Record(b, Rect(10, 10, 50, 30), false, style, nullptr, fsdTop));
    // P = (11, 12, 48, 30); no bevels, so the fill is (11, 12, 49, 31).
    EXPECT_TRUE(AllColor(b, clRed, Rect(11, 12, 49, 31)));
    EXPECT_EQ(InkBounds(b), Rect(11, 12, 49, 31));
}

TEST(GradTabPaint, GradientThatCannotPaintStillSuppressesTheBackground) {
    TGradTabStyle style;
    style.SetBackgrColor(clRed);
    style.Gradient().SetActive(true);
    style.Gradient().SetSteps(0); // read back as 1: nothing is painted
    EXPECT_EQ(style.Gradient().Steps(), 1);
    TBitmap b = PaperBitmap(60, 40);
    PaintTab(Record(b, Rect(10, 10, 50, 30), false, style, nullptr, fsdTop));
    EXPECT_EQ(CountColor(b, Paper), 60 * 40); // what lay beneath shows
    style.Gradient().SetSteps(300);
    EXPECT_EQ(style.Gradient().Steps(), 255);
    PaintTab(Record(b, Rect(10, 10, 50, 30), false, style, nullptr, fsdTop));
    EXPECT_EQ(b.GetPixel(11, 12), clGray);
}

TEST(GradTabPaint, ItemColourReplacesTheStyleBackground) {
    TGradTabStyle style;
    TBitmap b = PaperBitmap(60, 40);
    TTabPaintRecord r = Record(b, Rect(10, 10, 50, 30), false, style, nullptr, fsdTop);
    r.ItemColor = clBlue;
    PaintTab(r);
    EXPECT_TRUE(AllColor(b, clBlue, Rect(11, 12, 49, 31)));
}

TEST(GradTabPaint, FlatButtonsTakeTheBevelThreePixelsOut) {
    TGradTabStyle style;
    style.SetBevelOuter(bvRaised);
    style.Gradient().SetActive(true);
    TBitmap b = PaperBitmap(60, 50);
    TTabPaintRecord r = Record(b, Rect(10, 10, 40, 30), true, style, nullptr, fsdTop);
    r.LookLikeButtons = true;
    r.FlatButtons = true;
    PaintTab(r);
    const TColor highlight = ColorToDrawRGB(clBtnHighlight), shadow = ColorToDrawRGB(clBtnShadow);
    EXPECT_EQ(b.GetPixel(7, 20), highlight);
    EXPECT_EQ(b.GetPixel(20, 7), highlight);
    EXPECT_EQ(b.GetPixel(43, 20), shadow);
    EXPECT_EQ(b.GetPixel(20, 33), shadow);
    EXPECT_EQ(b.GetPixel(10, 10), clGray); // the gradient on P itself

    TBitmap plain = PaperBitmap(60, 50);
    r.DrawItem.Canvas = &plain.Canvas();
    r.FlatButtons = false;
    PaintTab(r);
    EXPECT_EQ(plain.GetPixel(10, 20), highlight);
    EXPECT_EQ(plain.GetPixel(7, 20), Paper);
}

TEST(GradTabPaint, UnselectedButtonsMoveUpAndLeft) {
    TGradTabStyle style;
    style.SetBackgrColor(clRed);
    TBitmap b = PaperBitmap(60, 50);
    TTabPaintRecord r = Record(b, Rect(10, 10, 40, 30), false, style, nullptr, fsdTop);
    r.LookLikeButtons = true;
    PaintTab(r);
    EXPECT_EQ(InkBounds(b), Rect(9, 9, 40, 30));
}

TEST(GradTabPaint, WallpaperBehindTabBesideLastTabAndOnPage) {
    TGradTabStyle style;
    style.SetBackgrColor(clRed);
    TGradTabsWallpaper w;
    const TBitmap tile = Tile(clBlue, clLime);
    w.SetBitmap(&tile);
    w.SetFillCaptionBakgr(true);
    w.SetFillClient(true);
    TBitmap b = PaperBitmap(100, 60);
    TTabPaintRecord r = Record(b, Rect(10, 10, 40, 30), false, style, nullptr, fsdTop);
    r.Wallpaper = &w;
    r.DrawItem.ItemID = 2; // the last of three
    PaintTab(r);
    // The strip beside the last tab: (40, 0, 100, 32), tiled from its corner.
    EXPECT_EQ(b.GetPixel(40, 0), clBlue);
    EXPECT_EQ(b.GetPixel(41, 24), clLime);
    // The page area (1, 25, 99, 59): top moved by the tab's height plus 5, painted after the strip.
    EXPECT_EQ(b.GetPixel(1, 25), clBlue);
    EXPECT_EQ(b.GetPixel(0, 25), Paper);
    EXPECT_EQ(b.GetPixel(98, 58), clLime);
    EXPECT_EQ(b.GetPixel(0, 40), Paper);
    // The tab itself is wallpaper (no background fill), the bottom row left out.
    EXPECT_EQ(b.GetPixel(10, 10), clBlue);
    EXPECT_EQ(b.GetPixel(11, 28), clLime);
    EXPECT_EQ(CountColor(b, clRed), 0);

    // Not the last tab: no strip.
    TBitmap c = PaperBitmap(100, 60);
    r.DrawItem.Canvas = &c.Canvas();
    r.DrawItem.ItemID = 1;
    PaintTab(r);
    EXPECT_EQ(c.GetPixel(60, 5), Paper);
}

TEST(GradTabPaint, WallpaperInsideBevelsAndEmptyWallpaperIgnored) {
    TGradTabStyle style;
    style.SetBackgrColor(clRed);
    style.SetBevelOuter(bvRaised);
    TGradTabsWallpaper w;
    w.SetIncludeBevels(false);
    const TBitmap tile = Tile(clBlue, clBlue);
    w.SetBitmap(&tile);
    TBitmap b = PaperBitmap(60, 40);
    TTabPaintRecord r = Record(b, Rect(10, 10, 40, 30), false, style, nullptr, fsdTop);
    r.Wallpaper = &w;
    PaintTab(r);
    EXPECT_EQ(b.GetPixel(11, 15), ColorToDrawRGB(clBtnHighlight));
    EXPECT_EQ(b.GetPixel(12, 15), clBlue);
    EXPECT_EQ(CountColor(b, clRed), 0);

    TGradTabsWallpaper empty;
    const TBitmap none;
    empty.SetBitmap(&none);
    TBitmap c = PaperBitmap(60, 40);
    r.DrawItem.Canvas = &c.Canvas();
    r.Wallpaper = &empty;
    PaintTab(r);
    EXPECT_EQ(c.GetPixel(20, 20), clRed); // no wallpaper: the background is filled
}

TEST(GradTabPaint, GlyphPlacedByAlignmentWithTransparentCorner) {
    TGradTabStyle style;
    style.SetBackgrColor(clRed);
    TBitmap glyph(4, 4, TPixelFormat::pf32bit);
    glyph.Fill(clLime);
    glyph.SetPixel(0, 3, clBlue); // the transparent colour
    glyph.SetPixel(3, 0, clBlue);
    TBitmap b = PaperBitmap(60, 40);
    TTabPaintRecord r = Record(b, Rect(10, 10, 50, 30), false, style, nullptr, fsdTop);
    r.Glyph = &glyph;
    PaintTab(r);
    // P = (11, 12, 48, 30) grown to 31 rows; left-aligned glyph at x + 1, centred: (19 - 4) div 2 = 7.
    EXPECT_EQ(b.GetPixel(12, 19), clLime);
    EXPECT_EQ(b.GetPixel(15, 19), clRed); // transparent pixel
    EXPECT_EQ(b.GetPixel(11, 19), clRed);
    EXPECT_EQ(CountColor(b, clLime), 14);

    style.SetGlyphHAlign(fhaRight);
    style.SetGlyphVAlign(fvaBottom);
    TBitmap c = PaperBitmap(60, 40);
    r.DrawItem.Canvas = &c.Canvas();
    PaintTab(r);
    EXPECT_EQ(c.GetPixel(46, 30), clLime); // x = 11 + 37 - 4 - 1 = 43 .. 46, y = 12 + 19 - 4 = 27 .. 30
    EXPECT_EQ(c.GetPixel(43, 27), clLime);
    EXPECT_EQ(CountColor(c, clLime), 14);

    TBitmap d = PaperBitmap(60, 40);
    r.DrawItem.Canvas = &d.Canvas();
    r.Options.Include(ftoHideGlyphs);
    PaintTab(r);
    EXPECT_EQ(CountColor(d, clLime), 0);
}

TEST(GradTabPaint, RotatedCaptionStaysInsideTheTab) {
    TGradTabStyle style;
    style.SetBackgrColor(clBlack);
    style.Font().SetColor(clWhite);
    for (TglLabelDir dir : {fldDownUp, fldUpDown, fldRightLeft}) {
        TFont font;
        font.SetEscapement(dir == fldDownUp ? 900 : dir == fldUpDown ? -900 : -1800);
        TBitmap b = PaperBitmap(60, 120);
        TTabPaintRecord r = Record(b, Rect(10, 10, 32, 110), false, style, &font, fsdLeft);
        r.FontDirection = dir;
        r.Caption = "Tab";
        PaintTab(r);
        // Caption colour is the style font's colour; nothing outside the tab.
        EXPECT_GT(CountColor(b, clWhite), 0) << dir;
        EXPECT_EQ(InkBounds(b), Rect(12, 10, 33, 109)) << dir;
    }
}

TEST(GradTabPaint, MissingCanvasStyleOrFontPaintsWhatItCan) {
    TGradTabStyle style;
    TBitmap b = PaperBitmap(20, 20);
    TTabPaintRecord r = Record(b, Rect(0, 0, 20, 20), false, style, nullptr);
    r.DrawItem.Canvas = nullptr;
    PaintTab(r);
    r.DrawItem.Canvas = &b.Canvas();
    r.Style = nullptr;
    PaintTab(r);
    EXPECT_EQ(CountColor(b, Paper), 400);
    r.Style = &style;
    r.DrawItem.ItemRect = TRect{};
    PaintTab(r); // an empty item
    SUCCEED();
}
