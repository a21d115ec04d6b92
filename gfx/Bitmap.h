#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/DisplayTypes.h"

class TCanvas;

enum class TPixelFormat : std::uint8_t { pf24bit, pf32bit };

// A device-independent bitmap: rows bottom-up and contiguous, each row padded to a
// multiple of four bytes. 24-bit pixels are B, G, R; 32-bit pixels are B, G, R and
// one ignored byte. Bits() is the first byte of pixel memory: the start of the
// bottom row. ScanLine(y) addresses row y counted from the top.
//
// A monochrome bitmap keeps its layout but holds only black and white pixels; blits
// to and from it convert colours as a one-bit device does (see TCanvas::BitBlt).
// Canvas() is created at first use and stays bound to this bitmap; copying or
// moving a bitmap takes its pixels, never its canvas.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);
    TBitmap(const TBitmap& other);
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(const TBitmap& other);
    TBitmap& operator=(TBitmap&& other) noexcept;
    ~TBitmap();

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
    // Becomes an exact copy of source: size, format, monochrome flag and pixels.
    void Assign(const TBitmap& source);

    bool Monochrome() const { return FMonochrome; }
    // Turning it on maps white pixels to white and every other pixel to black.
    void SetMonochrome(bool value);

    // The canvas drawing on this bitmap.
    TCanvas& Canvas();

    // The pixels as the display takes them (bottom-up rows); valid while the bitmap is
    // neither resized nor converted.
    TPixelView PixelView() const
    {
        TPixelView view;
        view.Bits = Bits();
        view.Width = FWidth;
        view.Height = FHeight;
        view.Stride = FStride;
        view.BottomUp = true;
        view.BytesPerPixel = BytesPerPixel();
        return view;
    }

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
    bool FMonochrome = false;
    std::unique_ptr<TCanvas> FCanvas;
};
