#pragma once

#include "gfx/Color.h"
#include "gfx/Geometry.h"

class TCanvas;

// The three-dimensional edges the standard controls draw, in the system's button colours.
// Each works inside rect and answers the rectangle left inside the edge.

// One-pixel lines: topLeft along the top and left edges, bottomRight along the right and bottom.
TRect DrawEdgeLines(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight);
// The two-pixel sunken edge of edits and scroll boxes.
TRect DrawSunkenEdge(TCanvas& canvas, const TRect& rect);
// The two-pixel raised edge of a push button.
TRect DrawRaisedEdge(TCanvas& canvas, const TRect& rect);
// A push-button face: raised, or sunken while down, filled with clBtnFace.
TRect DrawButtonFace(TCanvas& canvas, const TRect& rect, bool down);
// The etched one-pixel-wide double line of group boxes (shadow, then highlight one pixel in).
void DrawEtchedFrame(TCanvas& canvas, const TRect& rect);
