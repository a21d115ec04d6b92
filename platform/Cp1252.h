#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows code page 1252. Every byte has a character: the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same number,
// as the system's own conversion does, so that any 8-bit text survives a round trip.
char16_t Cp1252ToUnicode(unsigned char byte);
// The byte of a code point; nothing when the code page has no such character.
std::optional<unsigned char> UnicodeToCp1252(char32_t code);

std::u16string Cp1252ToWide(std::string_view text);
// A character without a byte, a surrogate pair or a lone surrogate becomes one '?'.
std::string WideToCp1252(std::u16string_view text);
