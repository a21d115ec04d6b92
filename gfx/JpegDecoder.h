#pragma once

#include "gfx/Bitmap.h"
#include "platform/Exception.h"

#include <cstdint>
#include <span>

// Raised for every JPEG that cannot be decoded; the message is the decoder library's own
// text ("Not a JPEG file: starts with 0x00 0x00", "Premature end of JPEG file", ...) or
// one of ours for the limits below.
VELTRANE_EXCEPTION(EJpegError, EInvalidGraphic);

// What the headers of a JPEG stream say, read without decoding any pixels.
struct TJpegInfo {
    int Width = 0;
    int Height = 0;
    int Components = 0;        // 1 grey, 3 colour, 4 CMYK / YCCK
    bool Progressive = false;
};

// Decodes JPEG streams into 24-bit bitmaps at full scale with the library's default
// decompression parameters: accurate integer inverse DCT, fancy upsampling and block
// smoothing. Pixels go straight into the bitmap rows in B, G, R order, so the result
// equals the library's RGB output byte for byte.
//
// Input policy:
// - grey-scale images decode to grey RGB pixels;
// - CMYK and YCCK images raise EJpegError (their colours need a colour profile to be
//   shown faithfully, and no poster uses them);
// - a stream that ends before the image is complete raises EJpegError ("Premature end
//   of JPEG file") rather than showing a half-grey picture; recoverable corruption
//   inside the data (extraneous bytes, bad restart markers) is tolerated as the library
//   tolerates it;
// - images wider or taller than MaxDimension, larger than MaxPixels in total, or with
//   more than MaxScans scans raise EJpegError before the pixels are allocated.
//
// A failed decode leaves nothing behind: the library's state is released and no bitmap
// is returned.
class TJpegDecoder {
public:
    static constexpr int DefaultMaxDimension = 16384;
    static constexpr std::uint64_t DefaultMaxPixels = 64ull * 1024 * 1024;
    static constexpr int DefaultMaxScans = 1000;

    int MaxDimension() const { return FMaxDimension; }
    void SetMaxDimension(int value) { FMaxDimension = value; }
    std::uint64_t MaxPixels() const { return FMaxPixels; }
    void SetMaxPixels(std::uint64_t value) { FMaxPixels = value; }
    int MaxScans() const { return FMaxScans; }
    void SetMaxScans(int value) { FMaxScans = value; }

    // When not 0, the image is quantized to at most this many colours (2 to 256) with the
    // library's two-pass quantizer and Floyd-Steinberg dithering, as for a palette display,
    // and the palette colours are written as 24-bit pixels.
    int QuantizeColors() const { return FQuantizeColors; }
    void SetQuantizeColors(int value);

    // Reads the headers only; raises EJpegError when they are not a valid JPEG.
    TJpegInfo ReadInfo(std::span<const std::uint8_t> data) const;
    // Decodes the whole stream into a new 24-bit bitmap of the image's size.
    TBitmap Decode(std::span<const std::uint8_t> data) const;

private:
    void CheckLimits(const TJpegInfo& info) const;

    int FMaxDimension = DefaultMaxDimension;
    std::uint64_t FMaxPixels = DefaultMaxPixels;
    int FMaxScans = DefaultMaxScans;
    int FQuantizeColors = 0;
};

// Decodes with the default limits and no quantization.
TBitmap DecodeJpeg(std::span<const std::uint8_t> data);
