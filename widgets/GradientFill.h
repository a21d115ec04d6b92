#pragma once

#include "widgets/CustomGradient.h"

#include "gfx/Canvas.h"
#include "gfx/Geometry.h"
#include "gfx/Pen.h"

// Paints the gradient over rect on canvas in bands of colour running from the
// gradient's RGBFromColor to its RGBToColor. Nothing is painted when the gradient
// is not active, has one step, the canvas has fewer than 16 bits a pixel, or rect
// is empty. At most Steps bands, never more than pixels in the band direction.
//
// Stripes and nested rectangles are filled with the BrushStyle (a hatch leaves its
// gaps alone; bsClear fills nothing). The bias directions draw diagonal lines with a
// pen of penStyle and penWidth (0 counts as 1), kept inside rect. The convergent
// directions paint there and back again in two halves; the gradient object itself
// is never changed. With BufferedDraw the bands go to an off-screen block that is
// then copied over rect, giving the same picture as painting directly.
//
// Canvas pen, brush, background and clipping are as they were afterwards.
void GradientFill(const TCustomGradient& gradient, TCanvas& canvas, const TRect& rect, TPenStyle penStyle = psSolid,
                  int penWidth = 1);

// The colour of band index of count bands from from to to (0x00BBGGRR values): each
// channel is from + MulDiv(index, to - from, count - 1); one band has the start colour.
TColor GradientBandColor(TColor from, TColor to, int index, int count);
