#pragma once

#include "gfx/Geometry.h"

class TCanvas;

// The parts of a horizontal scroll bar laid out in rect: two square arrow buttons at the ends,
// the track between them and the thumb on the track. The thumb's width is the track's share of
// page in range (at least 8 pixels); its place shows position within 0..range - page. When the
// bar is too narrow for a thumb, the thumb is empty; when narrower than both arrows, the arrows
// share the width.
struct TScrollBarLayout {
    enum TPart { sbNone, sbLeftArrow, sbRightArrow, sbPageLeft, sbPageRight, sbThumb };

    TRect Bar;
    TRect LeftArrow;
    TRect RightArrow;
    TRect Track;
    TRect Thumb;

    static constexpr int DefaultSize = 17;
    static constexpr int MinThumb = 8;

    static TScrollBarLayout Horizontal(const TRect& rect, int range, int page, int position);
    // The part at point (sbNone outside the bar).
    TPart HitTest(TPoint point) const;
    // The position that puts the thumb's left edge at thumbLeft.
    int PositionForThumb(int thumbLeft, int range, int page) const;
};

// Draws the bar: raised arrow buttons (sunken when pressed) with their triangles, the track and
// the thumb. pressed is the part held down (shown darker on the track).
void DrawHorizontalScrollBar(TCanvas& canvas, const TScrollBarLayout& layout, TScrollBarLayout::TPart pressed);
