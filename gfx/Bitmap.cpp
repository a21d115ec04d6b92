#include "gfx/Bitmap.h"

#include "gfx/Canvas.h"

#include <algorithm>
#include <cstring>

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : FFormat(format)
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
    : FWidth(other.FWidth), FHeight(other.FHeight), FFormat(other.FFormat), FStride(other.FStride),
      FPixels(other.FPixels), FMonochrome(other.FMonochrome)
{
}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : FWidth(other.FWidth), FHeight(other.FHeight), FFormat(other.FFormat), FStride(other.FStride),
      FPixels(std::move(other.FPixels)), FMonochrome(other.FMonochrome)
{
    other.FWidth = other.FHeight = 0;
    other.FStride = 0;
    other.FPixels.clear();
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    Assign(other);
    return *this;
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept
{
    if (&other != this) {
        FWidth = other.FWidth;
        FHeight = other.FHeight;
        FFormat = other.FFormat;
        FStride = other.FStride;
        FPixels = std::move(other.FPixels);
        FMonochrome = other.FMonochrome;
        other.FWidth = other.FHeight = 0;
        other.FStride = 0;
        other.FPixels.clear();
    }
    return *this;
}

TBitmap::~TBitmap() = default;

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}

void TBitmap::SetMonochrome(bool value)
{
    if (value == FMonochrome)
        return;
    FMonochrome = value;
    if (!value)
        return;
    const int bpp = BytesPerPixel();
    for (int row = 0; row < FHeight; ++row) {
        std::uint8_t* p = FPixels.data() + static_cast<std::size_t>(row) * FStride;
        for (int x = 0; x < FWidth; ++x, p += bpp) {
            const std::uint8_t v = (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF) ? 0xFF : 0x00;
            p[0] = p[1] = p[2] = v;
        }
    }
}

std::size_t TBitmap::StrideFor(int width, TPixelFormat format)
{
    const std::size_t bytes = static_cast<std::size_t>(std::max(width, 0)) * (format == TPixelFormat::pf32bit ? 4 : 3);
    return (bytes + 3) & ~static_cast<std::size_t>(3);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight)
        return;
    FWidth = width;
    FHeight = height;
    FStride = StrideFor(width, FFormat);
    FPixels.assign(FStride * static_cast<std::size_t>(height), 0);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == FFormat)
        return;
    const std::size_t newStride = StrideFor(FWidth, format);
    std::vector<std::uint8_t> converted(newStride * static_cast<std::size_t>(FHeight), 0);
    const int fromBpp = BytesPerPixel();
    const int toBpp = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int row = 0; row < FHeight; ++row) {
        const std::uint8_t* from = FPixels.data() + static_cast<std::size_t>(row) * FStride;
        std::uint8_t* to = converted.data() + static_cast<std::size_t>(row) * newStride;
        for (int x = 0; x < FWidth; ++x, from += fromBpp, to += toBpp) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    FFormat = format;
    FStride = newStride;
    FPixels = std::move(converted);
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FFormat = source.FFormat;
    FStride = source.FStride;
    FMonochrome = source.FMonochrome;
    FPixels.resize(source.FPixels.size());
    if (!FPixels.empty())
        std::memcpy(FPixels.data(), source.FPixels.data(), FPixels.size());
}

std::uint32_t TBitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return 0;
    const std::uint8_t* p = ScanLine(y) + static_cast<std::size_t>(x) * BytesPerPixel();
    return p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16);
}

void TBitmap::SetPixel(int x, int y, std::uint32_t color)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    std::uint8_t* p = ScanLine(y) + static_cast<std::size_t>(x) * BytesPerPixel();
    p[0] = static_cast<std::uint8_t>(color >> 16);
    p[1] = static_cast<std::uint8_t>(color >> 8);
    p[2] = static_cast<std::uint8_t>(color);
}

void TBitmap::Fill(std::uint32_t color)
{
    const int bpp = BytesPerPixel();
    for (int y = 0; y < FHeight; ++y) {
        std::uint8_t* p = FPixels.data() + static_cast<std::size_t>(y) * FStride;
        for (int x = 0; x < FWidth; ++x, p += bpp) {
            p[0] = static_cast<std::uint8_t>(color >> 16);
            p[1] = static_cast<std::uint8_t>(color >> 8);
            p[2] = static_cast<std::uint8_t>(color);
        }
    }
}
