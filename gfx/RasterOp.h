#pragma once

#include <cstdint>

// Ternary raster operations of the blits: bits 16-23 hold the truth table over the
// pattern (brush), the source and the destination.
constexpr std::uint32_t SRCCOPY = 0x00CC0020u;     // S
constexpr std::uint32_t SRCPAINT = 0x00EE0086u;    // S | D
constexpr std::uint32_t SRCAND = 0x008800C6u;      // S & D
constexpr std::uint32_t SRCINVERT = 0x00660046u;   // S ^ D
constexpr std::uint32_t SRCERASE = 0x00440328u;    // S & ~D
constexpr std::uint32_t NOTSRCCOPY = 0x00330008u;  // ~S
constexpr std::uint32_t NOTSRCERASE = 0x001100A6u; // ~(S | D)
constexpr std::uint32_t MERGECOPY = 0x00C000CAu;   // P & S
constexpr std::uint32_t MERGEPAINT = 0x00BB0226u;  // ~S | D
constexpr std::uint32_t PATCOPY = 0x00F00021u;     // P
constexpr std::uint32_t PATPAINT = 0x00FB0A09u;    // P | ~S | D
constexpr std::uint32_t PATINVERT = 0x005A0049u;   // P ^ D
constexpr std::uint32_t DSTINVERT = 0x00550009u;   // ~D
constexpr std::uint32_t BLACKNESS = 0x00000042u;   // 0
constexpr std::uint32_t WHITENESS = 0x00FF0062u;   // 1

// The truth-table byte of a raster operation.
constexpr std::uint8_t RopCode(std::uint32_t rop) { return static_cast<std::uint8_t>(rop >> 16); }
// Whether the operation reads the source, the pattern or the destination.
constexpr bool RopUsesSource(std::uint32_t rop) { return ((RopCode(rop) >> 2) & 0x33) != (RopCode(rop) & 0x33); }
constexpr bool RopUsesPattern(std::uint32_t rop) { return ((RopCode(rop) >> 4) & 0x0F) != (RopCode(rop) & 0x0F); }
constexpr bool RopUsesDest(std::uint32_t rop) { return ((RopCode(rop) >> 1) & 0x55) != (RopCode(rop) & 0x55); }

// Applies a truth-table byte bit by bit to pattern, source and destination words.
constexpr std::uint32_t ApplyRop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    switch (code) {
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFFu;
    case 0xCC: return s;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x44: return s & ~d;
    case 0x33: return ~s;
    case 0x11: return ~(s | d);
    case 0xBB: return ~s | d;
    case 0xC0: return p & s;
    case 0xF0: return p;
    case 0x5A: return p ^ d;
    case 0x55: return ~d;
    case 0xAA: return d;
    default: break;
    }
    std::uint32_t result = 0;
    for (int i = 0; i < 8; ++i)
        if ((code >> i) & 1)
            result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return result;
}

// Binary mixes of pens with the destination, numbered as the pen modes' R2 codes (1..16).
constexpr std::uint32_t ApplyRop2(int r2, std::uint32_t p, std::uint32_t d)
{
    const int f = r2 - 1;
    std::uint32_t result = 0;
    if (f & 1) result |= ~p & ~d;
    if (f & 2) result |= ~p & d;
    if (f & 4) result |= p & ~d;
    if (f & 8) result |= p & d;
    return result;
}

constexpr int R2_COPYPEN = 13;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
