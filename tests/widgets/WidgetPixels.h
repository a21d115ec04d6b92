#pragma once

#include "gfx/Bitmap.h"
#include "gfx/Geometry.h"

#include <cstdint>
#include <string>

namespace widgettest {

constexpr std::uint32_t Paper = 0x00C8A064; // a background no routine paints by itself

inline TBitmap PaperBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit) {
    TBitmap bitmap(width, height, format);
    bitmap.Fill(Paper);
    return bitmap;
}

// Number of pixels in rect that have exactly color.
inline int CountColor(const TBitmap& bitmap, std::uint32_t color, TRect rect) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (bitmap.GetPixel(x, y) == color) ++count;
    return count;
}

inline int CountColor(const TBitmap& bitmap, std::uint32_t color) {
    return CountColor(bitmap, color, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

// Whether every pixel of rect has color.
inline bool AllColor(const TBitmap& bitmap, std::uint32_t color, TRect rect) {
    return CountColor(bitmap, color, rect) == rect.Width() * rect.Height();
}

// The first pixel where two bitmaps of the same size differ, as "x,y: a != b"; empty when equal.
inline std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(a.GetPixel(x, y)) +
                       " != " + std::to_string(b.GetPixel(x, y));
    return {};
}

// Pixels that differ from background, bounded; empty rectangle when none does.
inline TRect InkBounds(const TBitmap& bitmap, std::uint32_t background = Paper) {
    TRect box{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.GetPixel(x, y) != background) {
                if (x < box.Left) box.Left = x;
                if (y < box.Top) box.Top = y;
                if (x + 1 > box.Right) box.Right = x + 1;
                if (y + 1 > box.Bottom) box.Bottom = y + 1;
            }
    if (box.Right <= box.Left) return TRect{};
    return box;
}

} // namespace widgettest
