#pragma once

#include "widgets/GradTypes.h"

#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

#include <cstdint>
#include <string_view>

// The formatting flags DrawStyledText uses: baseFlags (DT_SINGLELINE | DT_VCENTER
// when 0) plus DT_CENTER or DT_RIGHT and DT_VCENTER or DT_BOTTOM by the alignments.
std::uint32_t StyledTextFlags(TglHorAlign horAlign, TglVertAlign vertAlign, std::uint32_t baseFlags);

// Formatted text in rect with a 3-D style, in passes over one another (colour at offset):
//
//   fstNone, fstVolumetric  text (0, 0)
//   fstRaised               highlight (-1, -1), shadow (+1, +1), text (0, 0)
//   fstRecessed             shadow (-1, -1), highlight (+1, +1), text (0, 0)
//   fstPushed               highlight (0, 0), shadow (-1, -1)
//   fstShadow               shadow (+2, +2), text (0, 0)
//
// Text is the font's colour, shadow clBtnShadow, highlight clBtnHighlight; the
// background stays (transparent). Nothing is drawn without a font. The canvas's
// font, background mode and text colour are as they were afterwards.
void DrawStyledText(TCanvas& canvas, const TRect& rect, std::string_view text, TglHorAlign horAlign,
                    TglVertAlign vertAlign, TglTextStyle style, const TFont* font, std::uint32_t baseFlags);

// Text at a point, for rotated fonts: each pass is text output at (x, y) plus an
// offset, clipped to clip, on a transparent background. With D = 2 the shadow depth
// and d = 2 (4 with outline) the effect offset, cut to d / 2 - 1 for fstNone and
// fstShadow, the passes are (skipEffects drops the ones marked *):
//
//   fstNone        text pass k = 0
//   fstRaised      * highlight (0, 0), * shadow (d, d), text pass k = 1
//   fstRecessed    * shadow (0, 0), * highlight (d, d), text pass k = 1
//   fstPushed      highlight (1, 1), shadow (0, 0); no text pass
//   fstShadow      * shadow (d + D, d + D), text pass k = 0
//   fstVolumetric  * shadow (i, i) for i = 1 .. D, text pass k = 0
//
// The text pass without outline draws textColor at (k, k); with outline it first
// draws outlineColor at (k, k), (k + 2, k + 2), (k, k + 2), (k + 2, k) (* each), then
// textColor at (k + 1, k + 1). Nothing is drawn without a font. The canvas's font,
// background mode and text colour are as they were afterwards.
void DrawStyledTextAt(TCanvas& canvas, int x, int y, const TRect& clip, std::string_view text, TglTextStyle style,
                      bool outline, bool skipEffects, TColor textColor, TColor outlineColor, TColor highlightColor,
                      TColor shadowColor, const TFont* font);
