#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class TPixelFormat : std::uint8_t { pf24bit, pf32bit };

// A device-independent bitmap: rows bottom-up and contiguous, each row padded to a
// multiple of four bytes. 24-bit pixels are B, G, R; 32-bit pixels are B, G, R and
// one ignored byte. Bits() is the first byte of pixel memory: the start of the
// bottom row. ScanLine(y) addresses row y counted from the top.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TPixelFormat PixelFormat() const { return FFormat; }
    int BytesPerPixel() const { return FFormat == TPixelFormat::pf32bit ? 4 : 3; }
    std::size_t Stride() const { return FStride; }
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }

    // Resizes; the same size keeps the pixels, a new size gives black pixels.
    void SetSize(int width, int height);
    // Converts the pixels to the given format in place.
    void SetPixelFormat(TPixelFormat format);
    // Becomes an exact copy of source: size, format and pixels.
    void Assign(const TBitmap& source);

    std::uint8_t* Bits() { return FPixels.data(); }
    const std::uint8_t* Bits() const { return FPixels.data(); }
    std::size_t ByteCount() const { return FPixels.size(); }
    std::uint8_t* ScanLine(int y) { return FPixels.data() + RowOffset(y); }
    const std::uint8_t* ScanLine(int y) const { return FPixels.data() + RowOffset(y); }

    // Pixel as 0x00BBGGRR; out-of-range coordinates read 0 and write nothing.
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t color);
    // Fills every pixel with a 0x00BBGGRR colour.
    void Fill(std::uint32_t color);

private:
    std::size_t RowOffset(int y) const { return static_cast<std::size_t>(FHeight - 1 - y) * FStride; }
    static std::size_t StrideFor(int width, TPixelFormat format);

    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FFormat = TPixelFormat::pf24bit;
    std::size_t FStride = 0;
    std::vector<std::uint8_t> FPixels;
};
