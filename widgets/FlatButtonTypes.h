#pragma once

#include "classes/EnumInfo.h"

#include <cstdint>

// Enumerations of the flat push and radio buttons, one byte each.

// How a focused push button shows the focus: not at all, or with a second frame line.
enum TFlatFocusStyle : std::uint8_t { ffsNone, ffsBorder };

// The check state of a flat button; on a push button it is the toggle state.
enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };

// Where the image stands relative to the caption.
enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Which face the shared drawing paints.
enum TFlatButtonKind : std::uint8_t { fbkPushButton, fbkRadioButton };

VELTRANE_ENUM_INFO(TFlatFocusStyle, "ffsNone", "ffsBorder")
VELTRANE_ENUM_INFO(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")
VELTRANE_ENUM_INFO(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
VELTRANE_ENUM_INFO(TFlatButtonKind, "fbkPushButton", "fbkRadioButton")
