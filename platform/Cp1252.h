#pragma once

#include <cstdint>

// Single characters of code page 1252 (the system's ANSI code page) and Unicode, for
// the display backends' key and caption translation.

// The code page 1252 byte of a code point; 0 when it has none.
unsigned char Cp1252FromCodePoint(std::uint32_t codePoint);
// The code point of a code page 1252 byte; 0 for the five unassigned bytes.
std::uint32_t CodePointFromCp1252(unsigned char ch);
