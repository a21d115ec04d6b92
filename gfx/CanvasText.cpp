#include "gfx/Canvas.h"

#include "gfx/CanvasPixels.h"
#include "gfx/DrawText.h"

using namespace CanvasPixels;

namespace {

TRect Offset(const TRect& r, TPoint by)
{
    return Rect(r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y);
}

} // namespace

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
}

void TCanvas::TextOut(int x, int y, std::u16string_view text)
{
    TTextRenderer::TextOut(*FTarget, FFont, x + FOrigin.X, y + FOrigin.Y, text, TextOptions(nullptr));
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
    rect = Offset(device, TPoint{-FOrigin.X, -FOrigin.Y});
    return height;
}

int TCanvas::DrawText(std::u16string_view text, TRect& rect, std::uint32_t format)
{
    TRect device = Offset(rect, FOrigin);
    const bool measureOnly = (format & DT_CALCRECT) != 0;
    const int height = DrawFormattedText(measureOnly ? nullptr : FTarget, FFont, text, device, format, TextOptions(nullptr));
    rect = Offset(device, TPoint{-FOrigin.X, -FOrigin.Y});
    return height;
}

TTextMetric TCanvas::GetTextMetrics() const
{
    return TTextRenderer::TextMetrics(FFont);
}
