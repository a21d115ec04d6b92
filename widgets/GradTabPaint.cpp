#include "widgets/GradTabPaint.h"

#include "widgets/BevelFrame.h"
#include "widgets/BitmapExt.h"
#include "widgets/GradientFill.h"
#include "widgets/StyledText.h"

#include "gfx/DrawText.h"

TRect TabPaintRect(const TRect& item, TglSide position, bool selected, bool buttons, TglSides borders)
{
    const int l = item.Left, t = item.Top, r = item.Right, b = item.Bottom;
    if (buttons)
        return selected ? item : Rect(l - 1, t - 1, r - 1, b - 1);
    if (selected) {
        switch (position) {
        case fsdLeft:
            return Rect(l + 2, t + 2, r - 2, b - 4);
        case fsdTop:
            return Rect(l + 3, t + 2, r - 4, b - 2);
        case fsdRight:
            return Rect(l, t + 2, r - 4, b - 4);
        case fsdBottom:
        default:
            return Rect(l + 3, t, r - 4, b - 3);
        }
    }
    switch (position) {
    case fsdLeft:
        return Rect(l + 2, t, r, b - 2);
    case fsdTop:
        return Rect(l + 1, t + 2, r - 2, b);
    case fsdRight:
        return Rect(l, t, r - 4, b - 2);
    case fsdBottom:
    default:
        return Rect(l + 1, borders.Contains(fsdTop) ? t - 1 : t - 2, r - 2, b - 3);
    }
}

TRect TabPageAreaRect(const TRect& client, const TRect& item, TglSide position, bool selected, bool buttons)
{
    const int h = item.Right - item.Left, v = item.Bottom - item.Top;
    const int d = buttons ? (position == fsdLeft ? 3 : 4) : (selected ? -1 : 5);
    TRect area = client;
    switch (position) {
    case fsdLeft:
        area.Left += h + d;
        area.Top += 1;
        area.Right -= 1;
        area.Bottom -= 1;
        break;
    case fsdTop:
        area.Top += v + d;
        area.Left += 1;
        area.Right -= 1;
        area.Bottom -= 1;
        break;
    case fsdRight:
        area.Right -= h + d;
        area.Left += 1;
        area.Top += 1;
        area.Bottom -= 1;
        break;
    case fsdBottom:
    default:
        area.Bottom -= v + d;
        area.Left += 1;
        area.Top += 1;
        area.Right -= 1;
        break;
    }
    return area;
}

namespace {

// The start point of a rotated caption of extent (cx, cy) in c.
TPoint RotatedCaptionPoint(TglLabelDir direction, TglHorAlign hAlign, TglVertAlign vAlign, const TRect& c, int cx,
                           int cy)
{
    int x = 0, y = 0;
    switch (direction) {
    case fldRightLeft:
        x = hAlign == fhaLeft ? c.Right : hAlign == fhaCenter ? c.Left + (c.Right - c.Left + cx) / 2 : c.Left + cx;
        y = vAlign == fvaTop ? c.Bottom : vAlign == fvaCenter ? c.Top + (c.Bottom - c.Top + cy) / 2 : c.Top + cy;
        break;
    case fldDownUp:
        y = c.Bottom - 4;
        if (hAlign == fhaCenter)
            y = c.Bottom - 4 - (c.Bottom - c.Top - cx) / 2;
        else if (hAlign == fhaRight)
            y = c.Top + cx + 3;
        x = c.Left;
        if (vAlign == fvaCenter)
            x = c.Left + (c.Right - c.Left - cy) / 2;
        else if (vAlign == fvaBottom)
            x = c.Right - cy - 1;
        break;
    case fldUpDown:
        y = c.Top + 4;
        if (hAlign == fhaCenter)
            y = c.Top + 4 + (c.Bottom - c.Top - cx) / 2;
        else if (hAlign == fhaRight)
            y = c.Bottom - cx - 3;
        x = c.Right;
        if (vAlign == fvaCenter)
            x = c.Right - (c.Right - c.Left - cy) / 2;
        else if (vAlign == fvaBottom)
            x = c.Left + cy;
        break;
    case fldLeftRight:
    default:
        break;
    }
    return TPoint{x, y};
}

} // namespace

void PaintTab(const TTabPaintRecord& record)
{
    if (!record.DrawItem.Canvas || !record.Style)
        return;
    TCanvas& dc = *record.DrawItem.Canvas;
    TCanvasState keep(dc);
    const TGradTabStyle& style = *record.Style;
    const TGradTabsWallpaper* wallpaper = record.Wallpaper;
    const TRect item = record.DrawItem.ItemRect;
    const bool selected = (record.DrawItem.ItemState & ODS_SELECTED) != 0;
    const bool buttons = record.LookLikeButtons;
    const TglSide position = record.TabsPosition;
    const bool hasWallpaper = wallpaper && BitmapHasPixels(wallpaper->CurrentBitmap());
    auto paintWallpaper = [&](const TRect& rect) {
        DrawBitmapExt(dc, wallpaper->CurrentBitmap(), rect, 0, 0, wallpaper->Tile() ? fwoTile : fwoNone, bdsNormal,
                      false, 0, 0);
    };

    // 1. Wallpaper beside the last tab, on the page area and behind the tab.
    if (hasWallpaper) {
        if (record.DrawItem.ItemID == record.TabCount - 1 && wallpaper->FillCaptionBakgr())
            paintWallpaper(Rect(item.Right, 0, record.ClientRect.Right, item.Bottom + (buttons ? 3 : 2)));
        if (wallpaper->FillClient())
            paintWallpaper(TabPageAreaRect(record.ClientRect, item, position, selected, buttons));
        if (wallpaper->FillCaptions() && wallpaper->IncludeBevels()) {
            TRect area = item;
            if (!buttons) {
                if (position == fsdLeft)
                    area.Right -= 1;
                else if (position == fsdTop)
                    area.Bottom -= 1;
                else if (position == fsdRight && !selected)
                    area.Left -= 1;
            }
            paintWallpaper(area);
        }
    }

    // 2. The tab rectangle; the selected tab first wipes the page border where it joins the page.
    if (selected && !buttons) {
        TCanvasState lines(dc);
        TPen pen;
        pen.SetColor(clBtnFace);
        dc.SetPen(pen);
        const int l = item.Left, t = item.Top, r = item.Right, b = item.Bottom;
        if (position == fsdRight) {
            dc.MoveTo(l, t);
            dc.LineTo(l, b - 2);
            dc.MoveTo(l + 1, t);
            dc.LineTo(l + 1, b - 2);
        } else if (position == fsdBottom) {
            dc.MoveTo(l, t + 1);
            dc.LineTo(r - 2, t + 1);
            dc.MoveTo(l, t);
            dc.LineTo(r - 2, t);
        }
    }
    TRect p = TabPaintRect(item, position, selected, buttons, style.Borders());

    // 3. Gradient.
    const bool gradientActive = style.Gradient().Active();
    if (gradientActive)
        GradientFill(style.Gradient(), dc, p, psSolid, 1);

    // 4, 5. Bevel frame and background; flat buttons take the frame 3 pixels further out.
    const bool noFill = (hasWallpaper && wallpaper->FillCaptions()) || gradientActive;
    constexpr int flatGrowth = 3;
    if (record.FlatButtons)
        p = Rect(p.Left - flatGrowth, p.Top - flatGrowth, p.Right + flatGrowth, p.Bottom + flatGrowth);
    p = DrawBevelFrame(dc, p, style.Borders(), style.BevelInner(), style.BevelOuter(), style.Bold(), record.ItemColor,
                       noFill);
    if (record.FlatButtons)
        p = Rect(p.Left + flatGrowth, p.Top + flatGrowth, p.Right - flatGrowth, p.Bottom - flatGrowth);

    // 6. Wallpaper inside the bevel lines.
    if (hasWallpaper && wallpaper->FillCaptions() && !wallpaper->IncludeBevels())
        paintWallpaper(p);

    // 7, 8, 9. Glyph and the caption's rectangle.
    p.Bottom += 1;
    TRect c = p;
    const bool horizontal = position == fsdTop || position == fsdBottom;
    const TBitmap* glyph = record.Glyph;
    if (BitmapHasPixels(glyph) && !record.Options.Contains(ftoHideGlyphs)) {
        const int gw = glyph->Width(), gh = glyph->Height();
        const int pw = p.Width(), ph = p.Height();
        int xOffset = 1, yOffset = 0;
        switch (style.GlyphHAlign()) {
        case fhaLeft:
            xOffset = 1;
            if (horizontal)
                c.Left += gw + 1;
            break;
        case fhaCenter:
            xOffset = (pw - gw) / 2;
            break;
        case fhaRight:
            xOffset = pw - gw - 1;
            if (horizontal)
                c.Right -= gw + 1;
            break;
        }
        switch (style.GlyphVAlign()) {
        case fvaTop:
            yOffset = 0;
            if (!horizontal)
                c.Top += gh + 1;
            break;
        case fvaCenter:
            yOffset = (ph - gh) / 2;
            break;
        case fvaBottom:
            yOffset = ph - gh;
            if (!horizontal)
                c.Bottom -= gh + 1;
            break;
        }
        DrawBitmapExt(dc, glyph, p, xOffset, yOffset, record.GlyphPlacement, bdsNormal, true,
                      glyph->GetPixel(0, gh - 1), 0);
        if (record.GlyphPlacement != fwoNone)
            c = p;
        else
            c.Left += 1;
    }
    if (!record.Options.Contains(ftoExcludeGlyphs))
        c = p;

    // 10. Caption.
    if (!record.ItemFont)
        return;
    dc.SetBkMode(bmTransparent);
    dc.SetFont(*record.ItemFont);
    const TSize extent = dc.TextExtent(record.Caption);
    if (record.FontDirection == fldLeftRight) {
        DrawStyledText(dc, c, record.Caption, style.CaptionHAlign(), style.CaptionVAlign(), style.TextStyle(),
                       record.ItemFont, record.Options.Contains(ftoWordWrap) ? DT_WORDBREAK : DT_SINGLELINE);
        return;
    }
    const TPoint at = RotatedCaptionPoint(record.FontDirection, style.CaptionHAlign(), style.CaptionVAlign(), c,
                                          extent.cx, extent.cy);
    DrawStyledTextAt(dc, at.X, at.Y, c, record.Caption, style.TextStyle(), false, false, style.Font().Color(), clBlack,
                     clBtnHighlight, clBtnShadow, record.ItemFont);
}
