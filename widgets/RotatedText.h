#pragma once

#include "gfx/Canvas.h"
#include "gfx/Geometry.h"

#include <string_view>

// Text drawn at an angle, placed so that its bounding box starts at a given corner.

// An angle in degrees brought into 0..360: a negative value gets 360 added until it
// is at least -360 and then once more (-30 gives 330, -360 gives 0, -400 gives 320);
// a value above 360 loses 360 until it is at most 360 (720 gives 360, 361 gives 1).
int NormalizeEscapement(int degrees);

// Where text of the given unrotated extent starts when it is turned by angle degrees
// counter-clockwise about its top-left corner, as an offset (DX, DY) from the corner of
// its bounding box, and that box's size. Fractions are cut toward zero.
struct TRotatedTextBox {
    int DX = 0;
    int DY = 0;
    int Width = 0;
    int Height = 0;
};
TRotatedTextBox RotatedTextBox(int angle, TSize extent);

// One pass of rotated text: text at (x, y) in the canvas font turned by angle degrees,
// in the canvas text colour. The canvas font is as it was afterwards.
void DrawRotatedTextAt(TCanvas& canvas, int x, int y, std::string_view text, int angle);
