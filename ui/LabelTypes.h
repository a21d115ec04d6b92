#pragma once

#include "classes/EnumInfo.h"

#include <cstdint>

// Horizontal alignment of a caption or of an edit's text.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
VELTRANE_ENUM_INFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

// Vertical placement of a label's text.
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
VELTRANE_ENUM_INFO(TTextLayout, "tlTop", "tlCenter", "tlBottom")
