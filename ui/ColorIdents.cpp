#include "ui/ColorIdents.h"

#include "platform/AsciiText.h"

#include "gfx/Color.h"

#include <string>
#include <utility>

std::optional<std::int64_t> ColorIdentToInt(std::string_view ident)
{
    TColor color = 0;
    if (IdentToColor(std::string(ident), color))
        return static_cast<std::int64_t>(color);
    return std::nullopt;
}

std::optional<std::int64_t> CharsetIdentToInt(std::string_view ident)
{
    static constexpr std::pair<const char*, int> Charsets[] = {
        {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", 255},
    };
    for (const auto& [name, value] : Charsets)
        if (SameText(name, ident))
            return value;
    return std::nullopt;
}
