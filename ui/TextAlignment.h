#pragma once

// Horizontal alignment of a caption and the vertical place of a label's text. The label
// types of the framework define them where present; this header stands in for them.
#if __has_include("ui/LabelTypes.h")
#include "ui/LabelTypes.h"
#else
#include "ui/EnumInfo.h"

#include <cstdint>

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

VELTRANE_ENUM_INFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
VELTRANE_ENUM_INFO(TTextLayout, "tlTop", "tlCenter", "tlBottom")
#endif
