#pragma once

#include <cstdint>

// Key and character translation between X keysyms, virtual key codes, Unicode and
// code page 1252 (the system's ANSI code page).

// The virtual key code of an unshifted keysym; 0 when the key has none.
std::uint16_t VirtualKeyFromKeySym(unsigned long keySym);
// The Unicode code point a keysym types; 0 when it types none.
std::uint32_t CodePointFromKeySym(unsigned long keySym);
// The code page 1252 byte of a code point; 0 when it has none.
unsigned char Cp1252FromCodePoint(std::uint32_t codePoint);
// The code point of a code page 1252 byte; 0 for the five unassigned bytes.
std::uint32_t CodePointFromCp1252(unsigned char ch);
