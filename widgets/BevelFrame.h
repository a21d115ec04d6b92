#pragma once

#include "widgets/GradTypes.h"

#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"

// Draws up to two bevels inside rect and fills what they leave with color.
//
// The frame's lines lie on rect's edge columns and rows Left, Top, Right and Bottom,
// Right and Bottom included: a frame drawn on (0, 0, 9, 9) covers pixels 0..9. The
// outer bevel is drawn first, then the inner one inside it. Each bevel draws, for
// each side in sides in the order left, top, right, bottom, one line along that side
// from corner to corner of what is left, and moves the side one pixel inward; bold
// draws the dark side of a lowered or raised bevel twice, dark shadow outside and
// shadow inside. Lines take the style and width (0 counts as 1) of the canvas pen.
//
//   bevel      left, top                        right, bottom
//   bvLowered  shadow (bold: dark, shadow)      highlight
//   bvRaised   highlight                        shadow (bold: dark, shadow)
//   bvSpace    shadow                           shadow
//
// Unless noFill, (A.Left, A.Top, A.Right + 1, A.Bottom + 1) is filled solid, A being
// what the lines left. Answers A. The canvas pen and brush are as they were.
TRect DrawBevelFrame(TCanvas& canvas, const TRect& rect, TglSides sides, TBevelCut inner, TBevelCut outer, bool bold,
                     TColor color, bool noFill);
