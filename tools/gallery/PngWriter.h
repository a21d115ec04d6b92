#pragma once

#include "gfx/Bitmap.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Writes bitmaps as PNG files: 8-bit RGB, no interlace, the image data in uncompressed
// ("stored") deflate blocks, so no compression library is needed. Empty bitmaps raise
// std::invalid_argument (a PNG image has at least one pixel).
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);
// EncodePng to a file; std::runtime_error "Cannot create file "<path>"." when it cannot be written.
void WritePngFile(const TBitmap& bitmap, const std::string& path);

// The checksums PNG uses: CRC-32 (ISO 3309, as in zlib) and Adler-32.
std::uint32_t PngCrc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data);
