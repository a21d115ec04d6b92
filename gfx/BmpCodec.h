#pragma once

#include "gfx/Bitmap.h"
#include "platform/Exception.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Raised for a bitmap file that cannot be read; the message says what is wrong with it.
VELTRANE_EXCEPTION(EBmpError, EInvalidGraphic);

// What the headers of a bitmap said, for callers that need more than the pixels.
struct TBmpInfo {
    int Width = 0;
    int Height = 0;            // always positive; TopDown tells the stored row order
    int BitCount = 0;          // 1, 4, 8, 16, 24 or 32
    bool TopDown = false;
    int HeaderSize = 0;        // 12, 40, 52, 56, 108 or 124
    std::vector<std::uint32_t> Palette;   // 0x00BBGGRR colours, for 1, 4 and 8 bits a pixel
};

// Reads and writes Windows device-independent bitmaps.
//
// Reading accepts the 12-byte core header and the 40-byte information header with its
// longer V2 to V5 forms, uncompressed (BI_RGB) pixels of 1, 4 or 8 bits through a palette
// or of 16 (5-5-5), 24 or 32 bits, rows bottom-up or top-down. The result is always a
// 24-bit TBitmap. A palette index beyond the palette reads as black. Compressed bitmaps
// (RLE and others), malformed headers, sizes beyond the limits and pixel data that ends
// early raise EBmpError before any pixel memory is allocated.
//
// Writing always gives the uncompressed 24-bit form: a 14-byte file header, the 40-byte
// information header, rows bottom-up, each padded with zeros to a multiple of four bytes.
class TBmpCodec {
public:
    static constexpr int DefaultMaxDimension = 32768;
    static constexpr std::uint64_t DefaultMaxPixels = 64ull * 1024 * 1024;
    static constexpr std::size_t FileHeaderSize = 14;
    static constexpr std::size_t InfoHeaderSize = 40;

    int MaxDimension() const { return FMaxDimension; }
    void SetMaxDimension(int value) { FMaxDimension = value; }
    std::uint64_t MaxPixels() const { return FMaxPixels; }
    void SetMaxPixels(std::uint64_t value) { FMaxPixels = value; }

    // A whole bitmap file, starting with "BM".
    TBitmap Read(std::span<const std::uint8_t> data, TBmpInfo* info = nullptr) const;
    // A bitmap without the file header, as stored in bitmap resources: the information
    // header, the palette and then the pixels.
    TBitmap ReadDib(std::span<const std::uint8_t> data, TBmpInfo* info = nullptr) const;
    // Reads a file; EFOpenError ("Cannot open file "%s". %s") when it cannot be read.
    TBitmap ReadFile(const std::string& path, TBmpInfo* info = nullptr) const;

    // The 24-bit file of a 24- or 32-bit bitmap.
    static std::vector<std::uint8_t> Write(const TBitmap& bitmap);
    // Writes that file (mode 0644) through a temporary file renamed over the old one, so a
    // link at path is replaced, never followed, and a failed write keeps the old file.
    // EFCreateError ("Cannot create file "%s". %s") when it cannot be created (also when
    // path names something other than a regular file), EStreamError when writing it fails.
    static void WriteFile(const TBitmap& bitmap, const std::string& path);

private:
    TBitmap Parse(const std::uint8_t* dib, std::size_t size, std::int64_t pixelOffset, TBmpInfo* info) const;

    int FMaxDimension = DefaultMaxDimension;
    std::uint64_t FMaxPixels = DefaultMaxPixels;
};
