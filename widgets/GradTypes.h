#pragma once

#include "classes/EnumInfo.h"
#include "classes/Set.h"

#include <cstdint>

// Enumerations shared by the gradient tabs and the styled drawing routines. Each is
// stored as one byte; sets keep value n in bit n.

enum TglSide : std::uint8_t { fsdLeft, fsdTop, fsdRight, fsdBottom };
using TglSides = TSet<TglSide>;

enum TglHorAlign : std::uint8_t { fhaLeft, fhaCenter, fhaRight };
enum TglVertAlign : std::uint8_t { fvaTop, fvaCenter, fvaBottom };

enum TglTextStyle : std::uint8_t { fstNone, fstRaised, fstRecessed, fstPushed, fstShadow, fstVolumetric };

enum TglLabelDir : std::uint8_t { fldLeftRight, fldRightLeft, fldUpDown, fldDownUp };

enum TglTabOption : std::uint8_t {
    ftoAutoFontDirection,
    ftoExcludeGlyphs,
    ftoHideGlyphs,
    ftoInheriteTabFonts,
    ftoTabColorAsGradientFrom,
    ftoTabColorAsGradientTo,
    ftoWordWrap
};
using TglTabOptions = TSet<TglTabOption>;

enum TglWallpaperOption : std::uint8_t { fwoNone, fwoStretch, fwoPropStretch, fwoTile };

enum TglGradientDir : std::uint8_t {
    fgdHorizontal,
    fgdVertical,
    fgdLeftBias,
    fgdRightBias,
    fgdRectangle,
    fgdHorzConvergent,
    fgdVertConvergent
};

// The cut of a bevel line pair.
enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// A percentage, 0..100.
using TPercentRange = std::uint8_t;

// Every side of a frame.
inline constexpr TglSides AllSides{fsdLeft, fsdTop, fsdRight, fsdBottom};

VELTRANE_ENUM_INFO(TglSide, "fsdLeft", "fsdTop", "fsdRight", "fsdBottom")
VELTRANE_ENUM_INFO(TglHorAlign, "fhaLeft", "fhaCenter", "fhaRight")
VELTRANE_ENUM_INFO(TglVertAlign, "fvaTop", "fvaCenter", "fvaBottom")
VELTRANE_ENUM_INFO(TglTextStyle, "fstNone", "fstRaised", "fstRecessed", "fstPushed", "fstShadow", "fstVolumetric")
VELTRANE_ENUM_INFO(TglLabelDir, "fldLeftRight", "fldRightLeft", "fldUpDown", "fldDownUp")
VELTRANE_ENUM_INFO(TglTabOption, "ftoAutoFontDirection", "ftoExcludeGlyphs", "ftoHideGlyphs", "ftoInheriteTabFonts",
                   "ftoTabColorAsGradientFrom", "ftoTabColorAsGradientTo", "ftoWordWrap")
VELTRANE_ENUM_INFO(TglWallpaperOption, "fwoNone", "fwoStretch", "fwoPropStretch", "fwoTile")
VELTRANE_ENUM_INFO(TglGradientDir, "fgdHorizontal", "fgdVertical", "fgdLeftBias", "fgdRightBias", "fgdRectangle",
                   "fgdHorzConvergent", "fgdVertConvergent")
VELTRANE_ENUM_INFO(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
