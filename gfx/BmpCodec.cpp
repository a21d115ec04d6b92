#include "gfx/BmpCodec.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

namespace {

constexpr std::int64_t PixelsFollowPalette = -1;

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Put16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

[[noreturn]] void Invalid(const std::string& reason)
{
    throw EBmpError("Bitmap image is not valid: " + reason);
}

const char* CompressionName(std::uint32_t compression)
{
    switch (compression) {
    case 1: return "RLE8";
    case 2: return "RLE4";
    case 3: return "BITFIELDS";
    case 4: return "JPEG";
    case 5: return "PNG";
    case 6: return "ALPHABITFIELDS";
    default: return nullptr;
    }
}

std::uint8_t Expand5(unsigned v)
{
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

} // namespace

TBitmap TBmpCodec::Read(std::span<const std::uint8_t> data, TBmpInfo* info) const
{
    if (data.size() < FileHeaderSize)
        Invalid("the file is shorter than its header");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("the file does not start with \"BM\"");
    const std::uint32_t offBits = U32(data.data() + 10);
    if (offBits < FileHeaderSize)
        Invalid("the pixel offset lies inside the file header");
    return Parse(data.data() + FileHeaderSize, data.size() - FileHeaderSize,
                 static_cast<std::int64_t>(offBits) - static_cast<std::int64_t>(FileHeaderSize), info);
}

TBitmap TBmpCodec::ReadDib(std::span<const std::uint8_t> data, TBmpInfo* info) const
{
    return Parse(data.data(), data.size(), PixelsFollowPalette, info);
}

TBitmap TBmpCodec::Parse(const std::uint8_t* dib, std::size_t size, std::int64_t pixelOffset, TBmpInfo* info) const
{
    if (size < 4)
        Invalid("the information header is missing");
    const std::uint32_t headerSize = U32(dib);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        Invalid("unknown information header size " + std::to_string(headerSize));
    if (size < headerSize)
        Invalid("the information header is truncated");

    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned planes = 0;
    unsigned bitCount = 0;
    std::uint32_t compression = 0;
    std::uint64_t colorsUsed = 0;
    unsigned paletteEntrySize = 4;
    if (headerSize == 12) {
        width = U16(dib + 4);
        height = U16(dib + 6);
        planes = U16(dib + 8);
        bitCount = U16(dib + 10);
        paletteEntrySize = 3;
    } else {
        width = static_cast<std::int32_t>(U32(dib + 4));
        height = static_cast<std::int32_t>(U32(dib + 8));
        planes = U16(dib + 12);
        bitCount = U16(dib + 14);
        compression = U32(dib + 16);
        colorsUsed = U32(dib + 32);
    }

    if (planes != 1)
        Invalid(std::to_string(planes) + " colour planes");
    if (compression != 0) {
        const char* name = CompressionName(compression);
        throw EBmpError(name ? std::string("Compressed bitmaps (") + name + ") are not supported"
                             : "Bitmap compression " + std::to_string(compression) + " is not supported");
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        Invalid(std::to_string(bitCount) + " bits per pixel");
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width < 0)
        Invalid("negative width");
    if (width > FMaxDimension || height > FMaxDimension ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > FMaxPixels)
        Invalid("the image is too large (" + std::to_string(width) + " x " + std::to_string(height) + " pixels)");

    const bool indexed = bitCount <= 8;
    const std::uint64_t maxColors = indexed ? (1u << bitCount) : 256;
    std::uint64_t paletteSize = colorsUsed;
    if (indexed && paletteSize == 0)
        paletteSize = maxColors;
    if (paletteSize > maxColors)
        Invalid("the palette holds " + std::to_string(paletteSize) + " colours, more than " +
                std::to_string(maxColors));
    const std::uint64_t paletteEnd = headerSize + paletteSize * paletteEntrySize;
    if (paletteEnd > size)
        Invalid("the palette is truncated");

    if (pixelOffset == PixelsFollowPalette)
        pixelOffset = static_cast<std::int64_t>(paletteEnd);
    else if (pixelOffset < static_cast<std::int64_t>(indexed ? paletteEnd : headerSize))
        Invalid("the pixel data overlaps the headers");

    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t lastRow = (static_cast<std::uint64_t>(width) * bitCount + 7) / 8;
    const std::uint64_t pixelBytes = height == 0 ? 0 : stride * static_cast<std::uint64_t>(height - 1) + lastRow;
    if (static_cast<std::uint64_t>(pixelOffset) > size || pixelBytes > size - static_cast<std::uint64_t>(pixelOffset))
        Invalid("the pixel data is truncated");

    std::vector<std::uint32_t> palette;
    palette.reserve(static_cast<std::size_t>(paletteSize));
    for (std::uint64_t i = 0; i < paletteSize; ++i) {
        const std::uint8_t* p = dib + headerSize + i * paletteEntrySize;
        palette.push_back(p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16));
    }
    // The lookup table always has 256 entries, so every index is valid; unused ones are black.
    std::uint8_t lookup[256][3] = {};
    for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
        lookup[i][0] = static_cast<std::uint8_t>(palette[i] >> 16);
        lookup[i][1] = static_cast<std::uint8_t>(palette[i] >> 8);
        lookup[i][2] = static_cast<std::uint8_t>(palette[i]);
    }

    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    TBitmap bitmap(w, h, TPixelFormat::pf24bit);
    const std::uint8_t* pixels = dib + pixelOffset;
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* in = pixels + static_cast<std::uint64_t>(row) * stride;
        std::uint8_t* out = bitmap.ScanLine(topDown ? row : h - 1 - row);
        switch (bitCount) {
        case 24:
            std::memcpy(out, in, static_cast<std::size_t>(w) * 3);
            break;
        case 32:
            for (int x = 0; x < w; ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
            break;
        case 16:
            for (int x = 0; x < w; ++x, in += 2, out += 3) {
                const unsigned v = U16(in);
                out[0] = Expand5(v & 31);
                out[1] = Expand5((v >> 5) & 31);
                out[2] = Expand5((v >> 10) & 31);
            }
            break;
        default: {
            const unsigned perByte = 8 / bitCount;
            const unsigned mask = (1u << bitCount) - 1;
            for (int x = 0; x < w; ++x, out += 3) {
                const unsigned shift = 8 - bitCount * (1 + static_cast<unsigned>(x) % perByte);
                const unsigned index = (in[static_cast<unsigned>(x) / perByte] >> shift) & mask;
                std::memcpy(out, lookup[index], 3);
            }
            break;
        }
        }
    }

    if (info) {
        info->Width = w;
        info->Height = h;
        info->BitCount = static_cast<int>(bitCount);
        info->TopDown = topDown;
        info->HeaderSize = static_cast<int>(headerSize);
        info->Palette = indexed ? std::move(palette) : std::vector<std::uint32_t>();
    }
    return bitmap;
}

TBitmap TBmpCodec::ReadFile(const std::string& path, TBmpInfo* info) const
{
    TFileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    std::vector<std::uint8_t> data;
    std::uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        data.insert(data.end(), chunk, chunk + got);
    if (std::ferror(file.get()))
        throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    return Read(data, info);
}

std::vector<std::uint8_t> TBmpCodec::Write(const TBitmap& bitmap)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const std::uint64_t stride = (static_cast<std::uint64_t>(w) * 3 + 3) & ~std::uint64_t(3);
    const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(h);
    const std::uint64_t fileSize = FileHeaderSize + InfoHeaderSize + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        throw EBmpError("Bitmap is too large for a bitmap file");

    std::vector<std::uint8_t> file(static_cast<std::size_t>(fileSize), 0);
    std::uint8_t* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<std::uint32_t>(fileSize));
    Put32(p + 10, FileHeaderSize + InfoHeaderSize);
    p += FileHeaderSize;
    Put32(p, InfoHeaderSize);
    Put32(p + 4, static_cast<std::uint32_t>(w));
    Put32(p + 8, static_cast<std::uint32_t>(h));   // positive: rows bottom-up
    Put16(p + 12, 1);
    Put16(p + 14, 24);
    Put32(p + 16, 0);                               // BI_RGB
    Put32(p + 20, static_cast<std::uint32_t>(imageSize));
    p += InfoHeaderSize;

    // Both layouts are bottom-up, so stored row r is bitmap row h - 1 - r.
    const int bpp = bitmap.BytesPerPixel();
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* in = bitmap.ScanLine(h - 1 - row);
        std::uint8_t* out = p + static_cast<std::size_t>(row) * stride;
        if (bpp == 3) {
            std::memcpy(out, in, static_cast<std::size_t>(w) * 3);
        } else {
            for (int x = 0; x < w; ++x, in += bpp, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        }
    }
    return file;
}

void TBmpCodec::WriteFile(const TBitmap& bitmap, const std::string& path)
{
    const std::vector<std::uint8_t> bytes = Write(bitmap);
    // Written whole beside the old file and renamed over it: a failed write keeps the old one.
    TAtomicFileOptions options;
    options.Mode = 0644;
    try {
        WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), options);
    } catch (const EAtomicFileError& e) {
        if (e.Step() == TAtomicFileStep::afCreate)
            throw EFCreateError("Cannot create file \"" + path + "\". " + e.Message());
        throw EStreamError("Cannot write file \"" + path + "\". " + e.Message());
    }
}
