#include "ui/ScrollBarLayout.h"

#include "ui/ShapeEdges.h"

#include "gfx/Canvas.h"

#include <algorithm>

TScrollBarLayout TScrollBarLayout::Horizontal(const TRect& rect, int range, int page, int position)
{
    TScrollBarLayout l;
    l.Bar = rect;
    if (rect.IsEmpty())
        return l;
    const int h = rect.Height();
    const int arrow = std::min(h, rect.Width() / 2);
    l.LeftArrow = Rect(rect.Left, rect.Top, rect.Left + arrow, rect.Bottom);
    l.RightArrow = Rect(rect.Right - arrow, rect.Top, rect.Right, rect.Bottom);
    l.Track = Rect(rect.Left + arrow, rect.Top, rect.Right - arrow, rect.Bottom);
    const int track = l.Track.Width();
    if (track < MinThumb || range <= 0 || page >= range)
        return l;
    const int thumb = std::max(MinThumb, static_cast<int>(static_cast<long long>(track) * page / range));
    const int maxPos = range - page;
    const int pos = std::clamp(position, 0, maxPos);
    const int left = l.Track.Left + static_cast<int>(static_cast<long long>(track - thumb) * pos / maxPos);
    l.Thumb = Rect(left, rect.Top, left + thumb, rect.Bottom);
    return l;
}

TScrollBarLayout::TPart TScrollBarLayout::HitTest(TPoint p) const
{
    if (!Bar.Contains(p))
        return sbNone;
    if (LeftArrow.Contains(p))
        return sbLeftArrow;
    if (RightArrow.Contains(p))
        return sbRightArrow;
    if (Thumb.IsEmpty())
        return sbNone;
    if (Thumb.Contains(p))
        return sbThumb;
    return p.X < Thumb.Left ? sbPageLeft : sbPageRight;
}

int TScrollBarLayout::PositionForThumb(int thumbLeft, int range, int page) const
{
    const int free = Track.Width() - Thumb.Width();
    if (free <= 0 || range <= page)
        return 0;
    const int offset = std::clamp(thumbLeft - Track.Left, 0, free);
    // Rounded to the nearest position.
    return static_cast<int>((static_cast<long long>(offset) * (range - page) * 2 + free) / (2LL * free));
}

namespace {

// A small solid triangle pointing left (dir -1) or right (dir 1), centred in r.
void DrawArrowGlyph(TCanvas& canvas, const TRect& r, int dir, bool down)
{
    const int size = std::max(1, std::min(4, std::min(r.Width(), r.Height()) / 3));
    const int cx = r.Left + (r.Width() - size) / 2 + (down ? 1 : 0);
    const int cy = r.Top + r.Height() / 2 + (down ? 1 : 0);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnText);
    for (int i = 0; i < size; ++i) {
        const int x = dir < 0 ? cx + i : cx + size - 1 - i;
        canvas.FillRect(Rect(x, cy - i - 1, x + 1, cy + i));
    }
}

} // namespace

void DrawHorizontalScrollBar(TCanvas& canvas, const TScrollBarLayout& l, TScrollBarLayout::TPart pressed)
{
    if (l.Bar.IsEmpty())
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clScrollBar);
    canvas.FillRect(l.Track);
    if (pressed == TScrollBarLayout::sbPageLeft && !l.Thumb.IsEmpty()) {
        canvas.Brush().SetColor(cl3DDkShadow);
        canvas.FillRect(Rect(l.Track.Left, l.Track.Top, l.Thumb.Left, l.Track.Bottom));
    } else if (pressed == TScrollBarLayout::sbPageRight && !l.Thumb.IsEmpty()) {
        canvas.Brush().SetColor(cl3DDkShadow);
        canvas.FillRect(Rect(l.Thumb.Right, l.Track.Top, l.Track.Right, l.Track.Bottom));
    }
    const bool leftDown = pressed == TScrollBarLayout::sbLeftArrow;
    const bool rightDown = pressed == TScrollBarLayout::sbRightArrow;
    if (!l.LeftArrow.IsEmpty()) {
        DrawButtonFace(canvas, l.LeftArrow, leftDown);
        DrawArrowGlyph(canvas, l.LeftArrow, -1, leftDown);
    }
    if (!l.RightArrow.IsEmpty()) {
        DrawButtonFace(canvas, l.RightArrow, rightDown);
        DrawArrowGlyph(canvas, l.RightArrow, 1, rightDown);
    }
    if (!l.Thumb.IsEmpty())
        DrawButtonFace(canvas, l.Thumb, false);
}
