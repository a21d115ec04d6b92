#pragma once

#include <cstdint>
#include <string_view>

#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "gfx/TextRenderer.h"

// Formatting flags of formatted text output, with the platform's values.
constexpr std::uint32_t DT_TOP = 0x00000000;
constexpr std::uint32_t DT_LEFT = 0x00000000;
constexpr std::uint32_t DT_CENTER = 0x00000001;
constexpr std::uint32_t DT_RIGHT = 0x00000002;
constexpr std::uint32_t DT_VCENTER = 0x00000004;
constexpr std::uint32_t DT_BOTTOM = 0x00000008;
constexpr std::uint32_t DT_WORDBREAK = 0x00000010;
constexpr std::uint32_t DT_SINGLELINE = 0x00000020;
constexpr std::uint32_t DT_EXPANDTABS = 0x00000040;
constexpr std::uint32_t DT_TABSTOP = 0x00000080;
constexpr std::uint32_t DT_NOCLIP = 0x00000100;
constexpr std::uint32_t DT_EXTERNALLEADING = 0x00000200;
constexpr std::uint32_t DT_CALCRECT = 0x00000400;
constexpr std::uint32_t DT_NOPREFIX = 0x00000800;
constexpr std::uint32_t DT_INTERNAL = 0x00001000;
constexpr std::uint32_t DT_EDITCONTROL = 0x00002000;
constexpr std::uint32_t DT_PATH_ELLIPSIS = 0x00004000;
constexpr std::uint32_t DT_END_ELLIPSIS = 0x00008000;
constexpr std::uint32_t DT_MODIFYSTRING = 0x00010000;
constexpr std::uint32_t DT_RTLREADING = 0x00020000;
constexpr std::uint32_t DT_WORD_ELLIPSIS = 0x00040000;
constexpr std::uint32_t DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr std::uint32_t DT_HIDEPREFIX = 0x00100000;
constexpr std::uint32_t DT_PREFIXONLY = 0x00200000;

// Formatted text in a rectangle, as the platform's DrawText does: alignment, line
// breaks (CR, LF, CR LF), DT_WORDBREAK breaking at blanks (a word wider than the
// rectangle stands alone on its line and is not split), tab expansion to every 8
// average character widths, '&' prefixes ('&&' is a literal '&', '&x' underlines x,
// a final '&' vanishes; DT_NOPREFIX shows '&' as is, DT_HIDEPREFIX removes the '&'
// without underlining), end and path ellipsis for lines too wide, and DT_CALCRECT,
// which draws nothing and sets rect's Right and Bottom to the size needed for the
// whole text, without ellipses (Left and Top stay; empty text gives an empty
// rectangle and 0). DT_VCENTER and DT_BOTTOM apply to single lines.
// Text is clipped to rect unless DT_NOCLIP, and always to options.Clip.
// The font's escapement is ignored here. Returns the height of the text; with
// DT_VCENTER or DT_BOTTOM the offset from rect.Top to the text's bottom.
// target may be null when DT_CALCRECT is given.
int DrawFormattedText(TBitmap* target, const TFont& font, std::string_view text, TRect& rect,
                      std::uint32_t format, const TTextOutOptions& options = {});
int DrawFormattedText(TBitmap* target, const TFont& font, std::u16string_view text, TRect& rect,
                      std::uint32_t format, const TTextOutOptions& options = {});
