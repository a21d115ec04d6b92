#pragma once

// Pixel helpers shared by the canvas's source files. A device value holds a pixel
// as its bytes lie in memory: blue in bits 0-7, green 8-15, red 16-23.

#include "gfx/Color.h"
#include "gfx/Geometry.h"

#include <algorithm>
#include <cstdint>

namespace CanvasPixels {

inline std::uint32_t Read(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
}

inline void Write(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
}

inline std::uint32_t SwapRedBlue(std::uint32_t v)
{
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

inline std::uint32_t ToDevice(TColor color) { return SwapRedBlue(ColorToDrawRGB(color)); }
inline TColor FromDevice(std::uint32_t device) { return SwapRedBlue(device & 0x00FFFFFFu); }

// The black or white a colour becomes on a monochrome surface (the nearer by brightness).
inline std::uint32_t MonoOf(std::uint32_t device)
{
    const unsigned sum = (device & 0xFFu) + ((device >> 8) & 0xFFu) + ((device >> 16) & 0xFFu);
    return sum >= 383 ? 0x00FFFFFFu : 0u;
}

inline TRect Intersect(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

} // namespace CanvasPixels
