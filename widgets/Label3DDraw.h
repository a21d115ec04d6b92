#pragma once

#include "widgets/Label3DTypes.h"

#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

#include <cstdint>
#include <functional>
#include <string>

// The painting of the raised 3-D label: its caption in passes (effect passes, then
// the text itself), its border and the two-colour bevel.

// What the caption is drawn from.
struct TLabel3DCaption {
    std::string Caption;
    TFont Font;
    bool Enabled = true;
    bool ShowAccelChar = true;
    TTextStyle TextStyle = tsRaised;
    TColor ShadowColor = clBtnShadow;
    TColor HighlightColor = clBtnHighlight;
    int Shift = 1;
    int Escapement = 0; // 0..360
    TEllipsesStyle EllipsesStyle = esNone;
    std::uint32_t LayoutFlags = 0; // DT_VCENTER or DT_BOTTOM with DT_SINGLELINE, for unrotated text
};

// One rotated pass: draw text turned by angle degrees into (a copy of) rect; the
// canvas font and its colour are already those of the pass.
using TRotatedPass = std::function<void(TCanvas& canvas, TRect rect, const std::string& text, int angle)>;

// The text-drawing flags of a pass: flags plus DT_NOPREFIX without accelerators, the
// ellipsis flag, and for unrotated text the layout flags.
std::uint32_t Label3DTextFlags(const TLabel3DCaption& caption, std::uint32_t flags);

// Draws the caption's passes into rect with flags (DT_* of gfx/DrawText.h), or with
// DT_CALCRECT measures it: rect then receives the measured size of unrotated text.
// An empty caption, or "&" with accelerators shown, is measured as one space.
// Rotated passes (Escapement not 0) go through rotated.
void DrawLabel3DCaption(TCanvas& canvas, TRect& rect, std::uint32_t flags, const TLabel3DCaption& caption,
                        const TRotatedPass& rotated);

// Pen c1 along the top and left edges of r, pen c2 along the right and bottom edges,
// each line without its end point; the pen keeps c2 afterwards.
void DrawBevel(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight);

// The label's border on a width x height label with the canvas pen as it stands:
// a rectangle outline, or a recessed or raised bevel on (0, 0, width - 1, height - 1).
void DrawLabel3DBorder(TCanvas& canvas, TBorderType type, int width, int height);
