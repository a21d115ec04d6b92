#pragma once

#include <cstdint>
#include <string>

#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

namespace texttest {

constexpr std::uint32_t White = 0x00FFFFFF;

// Where fonts-wine keeps its faces, as the font lookup names them (under Wine the Windows
// build sees the Linux folders as drive Z:).
#ifdef _WIN32
inline const std::string WineFonts = "Z:\\usr\\share\\wine\\fonts\\";
#else
inline const std::string WineFonts = "/usr/share/wine/fonts/";
#endif

inline TFont MakeFont(const std::string& name, int height = -11, TFontStyles style = {}, int escapement = 0)
{
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    font.SetStyle(style);
    font.SetEscapement(escapement);
    return font;
}

inline TBitmap WhiteBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit)
{
    TBitmap bitmap(width, height, format);
    bitmap.Fill(White);
    return bitmap;
}

// Bounding box of every pixel that differs from background; empty when none does.
inline TRect InkBounds(const TBitmap& bitmap, std::uint32_t background = White)
{
    TRect box{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.GetPixel(x, y) != background) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    if (box.Right <= box.Left) return TRect{};
    return box;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    return true;
}

} // namespace texttest
