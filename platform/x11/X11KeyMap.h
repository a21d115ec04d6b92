#pragma once

#include <cstdint>

#include "platform/Cp1252.h"

// Key and character translation between X keysyms, virtual key codes and Unicode.

// The virtual key code of an unshifted keysym; 0 when the key has none.
std::uint16_t VirtualKeyFromKeySym(unsigned long keySym);
// The Unicode code point a keysym types; 0 when it types none.
std::uint32_t CodePointFromKeySym(unsigned long keySym);
