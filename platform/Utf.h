#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// UTF-8 and UTF-16 coding of Unicode code points.

constexpr char32_t ReplacementCharacter = 0xFFFD;

// One decoded character: its code point and how many code units it took. An invalid
// sequence (a stray or cut-off byte, an overlong form, an encoded surrogate, a code beyond
// U+10FFFF, a lone surrogate) is one unit long, not Valid, with that unit as its Code.
struct TUtfChar {
    char32_t Code = 0;
    std::size_t Length = 1;
    bool Valid = false;
};

TUtfChar DecodeUtf8(std::string_view text, std::size_t position);
TUtfChar DecodeUtf16(std::u16string_view text, std::size_t position);

void AppendUtf8(std::string& out, char32_t code);
void AppendUtf16(std::u16string& out, char32_t code);

// Whole texts, forgiving: every unit of an invalid sequence becomes U+FFFD (from UTF-8)
// or '?' (a lone surrogate to UTF-8), as the system's conversions do.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// Whole texts, exact: nothing when the text holds an invalid sequence.
std::optional<std::u16string> Utf8ToUtf16Exact(std::string_view text);
std::optional<std::string> Utf16ToUtf8Exact(std::u16string_view text);
// Code points of UTF-16 text; a lone surrogate becomes U+FFFD.
std::u32string Utf16ToUtf32(std::u16string_view text);

// UTF-16 code units from pairs of bytes in either order; an odd last byte is ignored.
std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian);
