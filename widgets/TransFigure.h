#pragma once

#include "widgets/TransTypes.h"

#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Pen.h"

// Draws the figure of a translucent shape of width x height pixels on canvas, with pen
// and brush copied into the canvas (they stay selected afterwards).
//
// With PW the pen width, the figure's box starts at (PW div 2, PW div 2) and is
// Width - PW + 1 by Height - PW + 1 (one less each for PW 0), so that a wide pen centred
// on the outline stays inside the control; squares, rounded squares and circles take
// the smaller side S, centred. Rounded corners are S div 4 across. The lines run from
// or through the control's centre at angle degrees (see DrawAngleLine).
void DrawTransFigure(TCanvas& canvas, transshape::TShapeType shape, const TPen& pen, const TBrush& brush, int width,
                     int height, int angle);

// A line at angle degrees (0 to the right, clockwise on screen) of the length of the
// control's diagonal: from (cx, cy), or through it when through is set, so that it
// always reaches past the control's edges. Drawn with the canvas's pen.
void DrawAngleLine(TCanvas& canvas, int centerX, int centerY, int angle, bool through, int width, int height);
