#pragma once

#include "widgets/GradTypes.h"

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"

// True when bitmap is assigned and both its width and height are non-zero.
bool BitmapHasPixels(const TBitmap* bitmap);
inline bool BitmapHasPixels(const TBitmap& bitmap)
{
    return BitmapHasPixels(&bitmap);
}

// The draw styles of DrawBitmapExt.
enum TBitmapDrawStyle : int {
    bdsNormal = 0,   // the picture as it is
    bdsDisabled = 1, // embossed in the button colours on clBtnFace
    bdsRecolored = 2 // white becomes clBtnHighlight and clGray clBtnShadow
};

// Puts bitmap into rect on canvas. Does nothing for a bitmap without pixels.
//
// The picture is first prepared by drawStyle. The disabled look reduces it to ink and
// paper (white and transparentColor are paper, every other colour ink; a non-zero
// recolorColor is ink whatever it is), then paints the ink on clBtnFace once in
// clBtnHighlight one pixel right and down and once in clBtnShadow in place.
//
// fwoStretch scales the picture to rect's size, fwoPropStretch by the smaller of the
// two ratios (sides truncated). The copy starts at (rect.Left + xOffset, rect.Top +
// yOffset); fwoTile repeats it in columns to rect's right edge and rows to its bottom
// edge, cutting the last ones; every other placement draws one whole copy there,
// not cut to rect. With transparent, pixels of transparentColor (clBtnFace for the
// disabled look) leave the canvas unchanged.
void DrawBitmapExt(TCanvas& canvas, const TBitmap* bitmap, const TRect& rect, int xOffset, int yOffset,
                   TglWallpaperOption placement, int drawStyle, bool transparent, TColor transparentColor,
                   TColor recolorColor);
