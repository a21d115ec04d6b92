#pragma once

#include "classes/EnumInfo.h"

#include <cstdint>

// Enumerations of the translucent controls, each stored as one byte.

// How the share of the background is chosen for each pixel.
enum TTransType : std::uint8_t { ttNone, ttKey, ttAlpha, ttRed, ttGreen, ttBlue };

// Where the figure fades out toward full transparency.
enum TTransFade : std::uint8_t {
    tfNone,
    tfLeft,
    tfRight,
    tfUp,
    tfDown,
    tfLeftDown,
    tfRightDown,
    tfLeftUp,
    tfRightUp,
    tfCenter,
    tfPeak,
    tfHorizon,
    tfVertical,
    tfButton,
    tfRoundButton
};

// Plain blending, or a luminance filter that darkens or brightens the background under black.
enum TCanvasType : std::uint8_t { ctTransparent, ctLumFilter };

VELTRANE_ENUM_INFO(TTransType, "ttNone", "ttKey", "ttAlpha", "ttRed", "ttGreen", "ttBlue")
VELTRANE_ENUM_INFO(TTransFade, "tfNone", "tfLeft", "tfRight", "tfUp", "tfDown", "tfLeftDown", "tfRightDown", "tfLeftUp",
                   "tfRightUp", "tfCenter", "tfPeak", "tfHorizon", "tfVertical", "tfButton", "tfRoundButton")
VELTRANE_ENUM_INFO(TCanvasType, "ctTransparent", "ctLumFilter")

// The figures of the translucent shape. They live in a namespace of their own because the
// framework's plain shape control has an enumeration of the same name with other values.
namespace transshape {

enum TShapeType : std::uint8_t {
    stNone,
    stRectangle,
    stSquare,
    stRoundRect,
    stRoundSquare,
    stEllipse,
    stCircle,
    stLine,
    stCenterLine
};

VELTRANE_ENUM_INFO(TShapeType, "stNone", "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse",
                   "stCircle", "stLine", "stCenterLine")

} // namespace transshape

// One colour as three 16-bit channels; the blend fills them with 0..255 and reads back
// the low 8 bits of each.
struct TRGB {
    std::uint16_t Red = 0;
    std::uint16_t Green = 0;
    std::uint16_t Blue = 0;
    friend bool operator==(const TRGB&, const TRGB&) = default;
};
