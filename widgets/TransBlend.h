#pragma once

#include "widgets/TransTypes.h"

#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <cstdint>
#include <functional>

// Pixel rules of the translucent controls. Percentages are the share of the background:
// 0 shows the drawing alone, 100 the background alone.

// (f * (100 - s) + k * s) div 100 in 32-bit arithmetic; the low 8 bits.
std::uint8_t MixChannel(int fore, int back, int percent);

// The luminance filter. Where the drawing is not pure black (sum of its channels non-zero)
// the background channel shows unchanged. Under black, percent 50 keeps it, more brightens
// it toward white ((256 - k) * 0.02 * d + k, d = percent - 50, in extended precision and
// truncated) and less darkens it toward black (k * 0.02 * d + k). A result the formula
// puts past 255 (it gives 256 at 100 percent) is stored as 255, one below 0 as 0.
std::uint8_t FilterChannel(int foreSum, int back, int percent);

// v unchanged when b is outside -1..1, v outside 0..1 or b is 0; else v^(1 - b) for b > 0
// and 1 - (1 - v)^(1 + b) for b < 0 (a power with exponent 0 is 1).
double BiasCurve(double value, double amount);

// Where a fade reads its geometry from: the control's size, the bias of the curve and the
// pen width of the control's canvas (the band width of tfRoundButton).
struct TFadeGeometry {
    int Width = 0;
    int Height = 0;
    double Bias = 0.0;
    int RoundButtonWidth = 1;
};

// The percentage of pixel (x, y) under the fade: p unchanged for tfNone; for the position
// fades 100 - Round(BiasCurve(m, bias) * (100 - p)) with m from 0 (vanished) to 1 (p),
// halves rounded to even and capped at 100; fixed values for the two button fades.
//
// A fade whose extent is too small to vary along keeps p there: a zero width or height
// counts as position 0 for the edge fades, and a control under 2 pixels in a dimension
// that tfCenter, tfPeak, tfHorizon or tfVertical measures counts as its centre (m = 1).
int ApplyFade(TTransFade fade, int x, int y, int percent, const TFadeGeometry& geometry);

// Everything the blend of one control reads besides the pixels.
struct TTransBlendSettings {
    TCanvasType CanvasType = ctTransparent;
    TTransType TransType = ttNone;
    int TransPercent = 50;
    int TransMinCutoff = 0;
    int TransMaxCutoff = 100;
    TColor TransKeyColor = clBlack;
    double ScreenBias = 0.0;
    TTransFade TransFade = tfNone;
    bool Inverse = false;
    TFadeGeometry Geometry;
};

// The percentage TransType gives a drawing pixel (blue, green, red) before the fade.
int TransTypePercent(const TTransBlendSettings& settings, std::uint8_t blue, std::uint8_t green, std::uint8_t red);

// Called per pixel instead of the rules when set: fore and back colour in, merge colour out.
using TTransCalc = std::function<void(TRGB fore, TRGB back, TRGB& merge, int x, int y)>;

// Blends drawing over background into output for the pixels of columns 0..width - 1 and
// rows 0..height - 1, clipped to all three bitmaps; other output pixels stay as they are.
// The bitmaps may be 24 or 32 bits a pixel; output takes blue, green and red.
void BlendTranslucent(const TTransBlendSettings& settings, const TBitmap& drawing, const TBitmap& background,
                      TBitmap& output, int width, int height, const TTransCalc& calc = {});
