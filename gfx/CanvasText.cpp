#include "gfx/Canvas.h"

#include "gfx/CanvasPixels.h"
#include "gfx/DrawText.h"

#include <algorithm>

using namespace CanvasPixels;

namespace {

TRect Offset(const TRect& r, TPoint by)
{
    return Rect(r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y);
}

} // namespace

void TCanvas::SettleMonochrome(int x, int y, const TSize& extent)
{
    // Anti-aliased text blends; a monochrome bitmap keeps only black and white, so
    // the pixels the text may have touched are put back to the nearer of the two.
    if (!FTarget->Monochrome())
        return;
    const int reach = extent.cx + extent.cy + 2;
    const TRect area = Intersect(DeviceClip(), Rect(x - reach, y - reach, x + reach, y + reach));
    const int bpp = FTarget->BytesPerPixel();
    for (int row = area.Top; row < area.Bottom; ++row) {
        std::uint8_t* p = PixelAddress(area.Left, row);
        for (int col = area.Left; col < area.Right; ++col, p += bpp)
            Write(p, MonoOf(Read(p)));
    }
}

TTextOutOptions TCanvas::TextOptions(const TRect* clip) const
{
    TTextOutOptions options;
    // The renderer takes plain 0x00BBGGRR colours; on a monochrome bitmap they are
    // first turned into black or white.
    options.Color = FromDevice(DeviceColor(FTextColor));
    options.BackColor = FromDevice(DeviceColor(FBkColor));
    options.Opaque = FBkMode == bmOpaque;
    TRect area = DeviceClip();
    if (clip)
        area = Intersect(area, Offset(*clip, FOrigin));
    options.Clip = area;
    return options;
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    TTextRenderer::TextOut(*FTarget, FFont, x + FOrigin.X, y + FOrigin.Y, text, TextOptions(nullptr));
    SettleMonochrome(x + FOrigin.X, y + FOrigin.Y, TextExtent(text));
}

void TCanvas::TextOut(int x, int y, std::u16string_view text)
{
    TTextRenderer::TextOut(*FTarget, FFont, x + FOrigin.X, y + FOrigin.Y, text, TextOptions(nullptr));
    SettleMonochrome(x + FOrigin.X, y + FOrigin.Y, TextExtent(text));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text)
{
    TTextOutOptions options = TextOptions(&rect);
    if (options.Opaque) {
        for (int row = rect.Top; row < rect.Bottom; ++row)
            PaintSolidSpan(row + FOrigin.Y, rect.Left + FOrigin.X, rect.Right - 1 + FOrigin.X, DeviceColor(FBkColor), R2_COPYPEN);
        options.Opaque = false;
    }
    TTextRenderer::TextOut(*FTarget, FFont, x + FOrigin.X, y + FOrigin.Y, text, options);
    SettleMonochrome(x + FOrigin.X, y + FOrigin.Y, TextExtent(text));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::u16string_view text)
{
    TTextOutOptions options = TextOptions(&rect);
    if (options.Opaque) {
        for (int row = rect.Top; row < rect.Bottom; ++row)
            PaintSolidSpan(row + FOrigin.Y, rect.Left + FOrigin.X, rect.Right - 1 + FOrigin.X, DeviceColor(FBkColor), R2_COPYPEN);
        options.Opaque = false;
    }
    TTextRenderer::TextOut(*FTarget, FFont, x + FOrigin.X, y + FOrigin.Y, text, options);
    SettleMonochrome(x + FOrigin.X, y + FOrigin.Y, TextExtent(text));
}

TSize TCanvas::TextExtent(std::string_view text) const
{
    return TTextRenderer::TextExtent(FFont, text);
}

TSize TCanvas::TextExtent(std::u16string_view text) const
{
    return TTextRenderer::TextExtent(FFont, text);
}

int TCanvas::DrawText(std::string_view text, TRect& rect, std::uint32_t format)
{
    TRect device = Offset(rect, FOrigin);
    const bool measureOnly = (format & DT_CALCRECT) != 0;
    const int height = DrawFormattedText(measureOnly ? nullptr : FTarget, FFont, text, device, format, TextOptions(nullptr));
    if (!measureOnly && FTarget->Monochrome()) {
        const TRect area = Offset(rect, FOrigin);
        SettleMonochrome(area.Left, area.Top, TSize{std::max(area.Width(), area.Height()), 0});
    }
    rect = Offset(device, TPoint{-FOrigin.X, -FOrigin.Y});
    return height;
}

int TCanvas::DrawText(std::u16string_view text, TRect& rect, std::uint32_t format)
{
    TRect device = Offset(rect, FOrigin);
    const bool measureOnly = (format & DT_CALCRECT) != 0;
    const int height = DrawFormattedText(measureOnly ? nullptr : FTarget, FFont, text, device, format, TextOptions(nullptr));
    if (!measureOnly && FTarget->Monochrome()) {
        const TRect area = Offset(rect, FOrigin);
        SettleMonochrome(area.Left, area.Top, TSize{std::max(area.Width(), area.Height()), 0});
    }
    rect = Offset(device, TPoint{-FOrigin.X, -FOrigin.Y});
    return height;
}

TTextMetric TCanvas::GetTextMetrics() const
{
    return TTextRenderer::TextMetrics(FFont);
}
