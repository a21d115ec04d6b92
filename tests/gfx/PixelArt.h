#pragma once

// Pixel pictures for drawing tests: a bitmap region as text, one line a row,
// with a character chosen per colour.

#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <map>
#include <string>

// Renders the region (left, top, width x height) of bitmap: colours found in legend
// give their character, any other colour gives '?'.
inline std::string PixelArt(const TBitmap& bitmap, int left, int top, int width, int height,
                            const std::map<TColor, char>& legend)
{
    std::string art;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const auto it = legend.find(bitmap.GetPixel(x, y));
            art += it == legend.end() ? '?' : it->second;
        }
        art += '\n';
    }
    return art;
}

// The usual legend: white '.', black '#'.
inline std::string PixelArt(const TBitmap& bitmap, int left, int top, int width, int height)
{
    return PixelArt(bitmap, left, top, width, height, {{clWhite, '.'}, {clBlack, '#'}});
}

// Joins picture lines given one per argument.
template <typename... Lines>
std::string Art(const Lines&... lines)
{
    std::string art;
    ((art += lines, art += '\n'), ...);
    return art;
}
