#pragma once

#include <cstdint>

// Key and character translation between X keysyms, virtual key codes, Unicode and
// code page 1252 (the system's ANSI code page).

// The virtual key code of an unshifted keysym; 0 when the key has none.
std::uint16_t VirtualKeyFromKeySym(unsigned long keySym);
// The Unicode code point a keysym types; 0 when it types none.
std::uint32_t CodePointFromKeySym(unsigned long keySym);
// The code page 1252 byte a typed code point gives; 0 when it has none or is a control
// character that types nothing (NUL, Delete, the C1 controls).
unsigned char Cp1252FromCodePoint(std::uint32_t codePoint);
