#include "gfx/Canvas.h"

#include "gfx/CanvasPixels.h"

#include <algorithm>
#include <cstdlib>

using namespace CanvasPixels;

namespace {

// Dash patterns of the one-pixel styled pens, in pixels: on, off, on, off, ...
struct TDashPattern {
    const int* Lengths;
    int Count;
    int Period;
};

constexpr int DashLengths[] = {18, 6};
constexpr int DotLengths[] = {3, 3};
constexpr int DashDotLengths[] = {9, 6, 3, 6};
constexpr int DashDotDotLengths[] = {9, 3, 3, 3, 3, 3};

TDashPattern PatternOf(TPenStyle style)
{
    switch (style) {
    case psDash: return {DashLengths, 2, 24};
    case psDot: return {DotLengths, 2, 6};
    case psDashDot: return {DashDotLengths, 4, 24};
    case psDashDotDot: return {DashDotDotLengths, 6, 24};
    default: return {nullptr, 0, 0};
    }
}

bool DashOn(const TDashPattern& pattern, int position)
{
    int p = position % pattern.Period;
    for (int i = 0; i < pattern.Count; ++i) {
        if (p < pattern.Lengths[i])
            return (i % 2) == 0;
        p -= pattern.Lengths[i];
    }
    return true;
}

int R2Of(TPenMode mode)
{
    static constexpr int Codes[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
    return Codes[mode];
}

} // namespace

TCanvas::TCanvas(TBitmap& target) : FTarget(&target)
{
    FTextColor = FFont.Color();
    FBrush.OnChange = [this] { BrushChanged(); };
    FFont.SetOnChange([this] { FontChanged(); });
}

void TCanvas::BrushChanged()
{
    if (FBrush.Style() == bsSolid) {
        FBkColor = FBrush.Color();
        FBkMode = bmOpaque;
    } else {
        FBkColor = (~ColorToRGB(FBrush.Color())) & 0x00FFFFFFu;
        FBkMode = bmTransparent;
    }
}

void TCanvas::FontChanged()
{
    FTextColor = FFont.Color();
}

int TCanvas::BitsPerPixel() const
{
    if (FTarget->Monochrome())
        return 1;
    return FTarget->BytesPerPixel() * 8;
}

// ---- state ------------------------------------------------------------------

TRect TCanvas::DeviceClip() const
{
    TRect r = Rect(0, 0, FTarget->Width(), FTarget->Height());
    if (FClipped)
        r = Intersect(r, FClip);
    return r;
}

TRect TCanvas::ClipRect() const
{
    const TRect d = DeviceClip();
    return Rect(d.Left - FOrigin.X, d.Top - FOrigin.Y, d.Right - FOrigin.X, d.Bottom - FOrigin.Y);
}

void TCanvas::IntersectClipRect(const TRect& rect)
{
    const TRect device = Rect(rect.Left + FOrigin.X, rect.Top + FOrigin.Y, rect.Right + FOrigin.X, rect.Bottom + FOrigin.Y);
    FClip = FClipped ? Intersect(FClip, device) : device;
    FClipped = true;
}

void TCanvas::SetClipRect(const TRect& rect)
{
    FClip = Rect(rect.Left + FOrigin.X, rect.Top + FOrigin.Y, rect.Right + FOrigin.X, rect.Bottom + FOrigin.Y);
    FClipped = true;
}

void TCanvas::ResetClip()
{
    FClipped = false;
    FClip = TRect{};
}

int TCanvas::SaveState()
{
    FSaved.push_back(TState{FPen, FBrush, FFont, FBkMode, FBkColor, FTextColor, FCopyMode, FOrigin, FClipped, FClip, FPenPos});
    return static_cast<int>(FSaved.size());
}

bool TCanvas::RestoreState(int saved)
{
    const int count = static_cast<int>(FSaved.size());
    if (saved < 0)
        saved = count + 1 + saved;
    if (saved < 1 || saved > count)
        return false;
    const TState state = FSaved[static_cast<std::size_t>(saved - 1)];
    FSaved.resize(static_cast<std::size_t>(saved - 1));
    FPen.Assign(state.Pen);
    FBrush.Assign(state.Brush);
    FFont.Assign(state.Font);
    FBkMode = state.BkMode;
    FBkColor = state.BkColor;
    FTextColor = state.TextColor;
    FCopyMode = state.CopyMode;
    FOrigin = state.Origin;
    FClipped = state.Clipped;
    FClip = state.Clip;
    FPenPos = state.PenPos;
    return true;
}

// ---- device pixels ----------------------------------------------------------

std::uint32_t TCanvas::DeviceColor(TColor color) const
{
    const std::uint32_t device = ToDevice(color);
    return FTarget->Monochrome() ? MonoOf(device) : device;
}

std::uint8_t* TCanvas::PixelAddress(int x, int y)
{
    return FTarget->ScanLine(y) + static_cast<std::size_t>(x) * FTarget->BytesPerPixel();
}

void TCanvas::PaintSolidSpan(int y, int x0, int x1, std::uint32_t color, int rop2)
{
    const TRect clip = DeviceClip();
    if (y < clip.Top || y >= clip.Bottom)
        return;
    x0 = std::max(x0, clip.Left);
    x1 = std::min(x1, clip.Right - 1);
    if (x0 > x1)
        return;
    const int bpp = FTarget->BytesPerPixel();
    std::uint8_t* p = PixelAddress(x0, y);
    if (rop2 == R2_COPYPEN) {
        for (int x = x0; x <= x1; ++x, p += bpp)
            Write(p, color);
        return;
    }
    for (int x = x0; x <= x1; ++x, p += bpp)
        Write(p, ApplyRop2(rop2, color, Read(p)) & 0x00FFFFFFu);
}

void TCanvas::PaintBrushSpan(int y, int x0, int x1, int rop2)
{
    const TBrushStyle style = FBrush.Style();
    if (style == bsClear)
        return;
    const std::uint32_t color = DeviceColor(FBrush.Color());
    if (style == bsSolid) {
        PaintSolidSpan(y, x0, x1, color, rop2);
        return;
    }
    const TRect clip = DeviceClip();
    if (y < clip.Top || y >= clip.Bottom)
        return;
    x0 = std::max(x0, clip.Left);
    x1 = std::min(x1, clip.Right - 1);
    const bool opaque = FBkMode == bmOpaque;
    const std::uint32_t back = DeviceColor(FBkColor);
    const int bpp = FTarget->BytesPerPixel();
    std::uint8_t* p = x0 <= x1 ? PixelAddress(x0, y) : nullptr;
    for (int x = x0; x <= x1; ++x, p += bpp) {
        std::uint32_t source;
        if (HatchCovers(style, x, y))
            source = color;
        else if (opaque)
            source = back;
        else
            continue;
        Write(p, ApplyRop2(rop2, source, Read(p)) & 0x00FFFFFFu);
    }
}

TColor TCanvas::Pixel(int x, int y) const
{
    x += FOrigin.X;
    y += FOrigin.Y;
    if (!DeviceClip().Contains(TPoint{x, y}))
        return CLR_INVALID;
    const std::uint8_t* p = FTarget->ScanLine(y) + static_cast<std::size_t>(x) * FTarget->BytesPerPixel();
    return FromDevice(Read(p));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    PaintSolidSpan(y + FOrigin.Y, x + FOrigin.X, x + FOrigin.X, DeviceColor(color), R2_COPYPEN);
}

int TCanvas::PenRop2() const
{
    return R2Of(FPen.Mode());
}

// ---- lines --------------------------------------------------------------------

void TCanvas::MoveTo(int x, int y)
{
    FPenPos = TPoint{x, y};
    FDashPos = 0;
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = FPenPos;
    FPenPos = TPoint{x, y};
    if (FPen.Style() == psClear)
        return;
    const int x0 = from.X + FOrigin.X, y0 = from.Y + FOrigin.Y;
    const int x1 = x + FOrigin.X, y1 = y + FOrigin.Y;
    if (FPen.Width() <= 1)
        CosmeticLine(x0, y0, x1, y1, PenRop2());
    else
        WideLine(x0, y0, x1, y1, PenRop2());
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.empty())
        return;
    const TPoint saved = FPenPos;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    FPenPos = saved;
}

void TCanvas::CosmeticLine(int x0, int y0, int x1, int y1, int rop2)
{
    const std::uint32_t color = DeviceColor(FPen.Color());
    const TDashPattern pattern = PatternOf(FPen.Style());
    const bool opaque = FBkMode == bmOpaque;
    const std::uint32_t back = DeviceColor(FBkColor);
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 > x0 ? 1 : -1, sy = y1 > y0 ? 1 : -1;
    const int steps = std::max(dx, dy);
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int error = 2 * minor - major;
    int x = x0, y = y0;
    for (int i = 0; i < steps; ++i) {
        if (pattern.Count == 0 || DashOn(pattern, FDashPos))
            PaintSolidSpan(y, x, x, color, rop2);
        else if (opaque)
            PaintSolidSpan(y, x, x, back, rop2);
        ++FDashPos;
        if (error > 0) {
            if (xMajor)
                y += sy;
            else
                x += sx;
            error -= 2 * major;
        }
        error += 2 * minor;
        if (xMajor)
            x += sx;
        else
            y += sy;
    }
}

void TCanvas::WideLine(int x0, int y0, int x1, int y1, int rop2)
{
    // A wide line is the set of round pen tips along the line, both ends included;
    // that set is convex, so it is one span per row and every pixel is painted once.
    const int w = FPen.Width();
    const TRows tip = FigureRows(1, -(w / 2), -(w / 2), -(w / 2) + w, -(w / 2) + w, 0, 0);
    TRows rows;
    rows.Top = std::min(y0, y1) + tip.Top;
    const int height = std::abs(y1 - y0) + static_cast<int>(tip.X0.size());
    rows.X0.assign(static_cast<std::size_t>(height), 1 << 30);
    rows.X1.assign(static_cast<std::size_t>(height), -(1 << 30));
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 > x0 ? 1 : -1, sy = y1 > y0 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int error = 2 * minor - major;
    int x = x0, y = y0;
    for (int i = 0; i <= major; ++i) {
        for (std::size_t r = 0; r < tip.X0.size(); ++r) {
            const std::size_t row = static_cast<std::size_t>(y + tip.Top + static_cast<int>(r) - rows.Top);
            rows.X0[row] = std::min(rows.X0[row], x + tip.X0[r]);
            rows.X1[row] = std::max(rows.X1[row], x + tip.X1[r]);
        }
        if (error > 0) {
            if (xMajor)
                y += sy;
            else
                x += sx;
            error -= 2 * major;
        }
        error += 2 * minor;
        if (xMajor)
            x += sx;
        else
            y += sy;
    }
    const std::uint32_t color = DeviceColor(FPen.Color());
    for (std::size_t r = 0; r < rows.X0.size(); ++r)
        PaintSolidSpan(rows.Top + static_cast<int>(r), rows.X0[r], rows.X1[r], color, rop2);
}

// ---- brush fills ------------------------------------------------------------

void TCanvas::FillRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        PaintBrushSpan(y + FOrigin.Y, rect.Left + FOrigin.X, rect.Right - 1 + FOrigin.X, R2_COPYPEN);
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    const int l = rect.Left + FOrigin.X, t = rect.Top + FOrigin.Y;
    const int r = rect.Right - 1 + FOrigin.X, b = rect.Bottom - 1 + FOrigin.Y;
    PaintBrushSpan(t, l, r, R2_COPYPEN);
    if (b != t)
        PaintBrushSpan(b, l, r, R2_COPYPEN);
    for (int y = t + 1; y < b; ++y) {
        PaintBrushSpan(y, l, l, R2_COPYPEN);
        if (r != l)
            PaintBrushSpan(y, r, r, R2_COPYPEN);
    }
}

void TCanvas::InvertRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        PaintSolidSpan(y + FOrigin.Y, rect.Left + FOrigin.X, rect.Right - 1 + FOrigin.X, 0, R2_NOT);
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    const int l = rect.Left + FOrigin.X, t = rect.Top + FOrigin.Y;
    const int r = rect.Right - 1 + FOrigin.X, b = rect.Bottom - 1 + FOrigin.Y;
    // Pixels whose device coordinates add up to an even number form the dots.
    auto dot = [this](int x, int y) {
        if (((x + y) & 1) == 0)
            PaintSolidSpan(y, x, x, 0, R2_NOT);
    };
    for (int x = l; x <= r; ++x) {
        dot(x, t);
        if (b != t)
            dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        dot(l, y);
        if (r != l)
            dot(r, y);
    }
}
