#pragma once

#include "gfx/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes bitmaps as PNG files through libpng: 8-bit RGB, no interlace, compressed with
// libpng's adaptive row filters. Empty bitmaps raise std::invalid_argument (a PNG image
// has at least one pixel).
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);
// EncodePng to a file, written as a new file beside it and renamed over it, so that a
// link standing at the path is replaced, never followed; std::runtime_error
// "Cannot create file "<path>". <reason>" when it cannot be written.
void WritePngFile(const TBitmap& bitmap, const std::string& path);
