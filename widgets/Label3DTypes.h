#pragma once

#include "classes/EnumInfo.h"

#include <cstdint>

// Enumerations of the raised 3-D label, one byte each.

// The effect drawn behind the caption.
enum TTextStyle : std::uint8_t { tsNone, tsRaised, tsLightRaised, tsRecessed, tsHeavyRecessed, tsShadow };

// The border: a plain rectangle in the border pen, or a recessed or raised bevel.
enum TBorderType : std::uint8_t { btDefault, btRecessed, btRaised };

// A plain label, or a link that opens a web or an e-mail address when clicked.
enum TLabelStyle : std::uint8_t { lsDefault, lsWWWAddress, lsEMailAddress };

// How a caption too wide for the label is shortened.
enum TEllipsesStyle : std::uint8_t { esNone, esEnd, esPath };

VELTRANE_ENUM_INFO(TTextStyle, "tsNone", "tsRaised", "tsLightRaised", "tsRecessed", "tsHeavyRecessed", "tsShadow")
VELTRANE_ENUM_INFO(TBorderType, "btDefault", "btRecessed", "btRaised")
VELTRANE_ENUM_INFO(TLabelStyle, "lsDefault", "lsWWWAddress", "lsEMailAddress")
VELTRANE_ENUM_INFO(TEllipsesStyle, "esNone", "esEnd", "esPath")
