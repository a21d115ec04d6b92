#pragma once

#include "ui/EnumInfo.h"

#include <cstdint>

// Horizontal alignment of a caption in its control, and its vertical place (labels).
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

VELTRANE_ENUM_INFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
VELTRANE_ENUM_INFO(TTextLayout, "tlTop", "tlCenter", "tlBottom")
