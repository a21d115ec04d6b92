#include "widgets/GradientFill.h"

#include "gfx/MulDiv.h"
#include "gfx/RasterOp.h"

#include <algorithm>
#include <optional>

namespace {

struct TBandPainter {
    const TCustomGradient& Gradient;
    TglGradientDir Dir;
    TColor From;
    TColor To;
    TPenStyle PenStyle;
    int PenWidth;
};

bool KeepPainting(int percent, int band, int count)
{
    // After band `band`, painting goes on while the share painted so far is within the percentage.
    return !(percent < static_cast<double>(band) * 100.0 / count);
}

void FillBand(TCanvas& dc, const TRect& band, TColor color, TBrushStyle style)
{
    if (style == bsClear)
        return;
    dc.Brush().SetColor(color);
    dc.Brush().SetStyle(style);
    dc.FillRect(band);
}

int BandCount(TglGradientDir dir, int steps, int width, int height)
{
    switch (dir) {
    case fgdHorizontal:
        return std::min(steps, height);
    case fgdVertical:
        return std::min(steps, width);
    case fgdLeftBias:
    case fgdRightBias:
        return std::min(steps, width + height);
    case fgdRectangle:
        return std::min(steps, std::min(width / 2, height / 2));
    default:
        return 0;
    }
}

void PaintBias(TCanvas& dc, const TBandPainter& p, const TRect& r, int count)
{
    const int w = p.PenWidth <= 0 ? 1 : p.PenWidth;
    const int total = r.Width() + r.Height();
    const bool left = p.Dir == fgdLeftBias;
    // Right-bias lines run from the top or left edge to a point just outside the right
    // or bottom edge, so leaving out their end point loses nothing. Left-bias lines
    // are laid one row higher for the same reason: from the left or bottom edge to
    // just above the top or outside the right edge. Every pixel then gets a line, the
    // corner (L, T) the first.
    TPoint first{left ? r.Left : r.Right, left ? r.Top - 1 : r.Top};
    TPoint second = first;
    const int lastRow = left ? r.Bottom - 1 : r.Bottom;
    dc.IntersectClipRect(r);
    dc.Pen().SetStyle(p.PenStyle);
    dc.Pen().SetWidth(w);
    for (int i = 0; i < count; ++i) {
        dc.Pen().SetColor(GradientBandColor(p.From, p.To, i, count));
        const int lines = MulDiv(i + 1, total, count) - MulDiv(i, total, count);
        for (int k = 0; k < lines; ++k) {
            if (left) {
                if (first.Y < lastRow)
                    first.Y += w;
                else
                    first.X += w;
                if (second.X < r.Right)
                    second.X += w;
                else
                    second.Y += w;
            } else {
                if (first.X > r.Left)
                    first.X -= w;
                else
                    first.Y += w;
                if (second.Y < r.Bottom)
                    second.Y += w;
                else
                    second.X -= w;
            }
            dc.MoveTo(first.X, first.Y);
            dc.LineTo(second.X, second.Y);
        }
        if (!KeepPainting(p.Gradient.PercentFilling(), i, count))
            break;
    }
}

void PaintBands(TCanvas& dc, const TBandPainter& p, const TRect& r, int count)
{
    const int width = r.Width();
    const int height = r.Height();
    const TBrushStyle style = p.Gradient.BrushStyle();
    for (int i = 0; i < count; ++i) {
        const TColor color = GradientBandColor(p.From, p.To, i, count);
        TRect band;
        switch (p.Dir) {
        case fgdHorizontal:
            band = Rect(r.Left, r.Top + MulDiv(i, height, count), r.Right, r.Top + MulDiv(i + 1, height, count));
            break;
        case fgdVertical:
            band = Rect(r.Left + MulDiv(i, width, count), r.Top, r.Left + MulDiv(i + 1, width, count), r.Bottom);
            break;
        default: {
            const int dx = MulDiv(i, width / 2, count);
            const int dy = MulDiv(i, height / 2, count);
            band = Rect(r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy);
            break;
        }
        }
        FillBand(dc, band, color, style);
        if (!KeepPainting(p.Gradient.PercentFilling(), i, count))
            break;
    }
}

// One direction without halves, on an empty-checked rectangle.
void PaintSimple(TCanvas& canvas, const TBandPainter& p, const TRect& r)
{
    if (r.IsEmpty())
        return;
    const int count = BandCount(p.Dir, p.Gradient.Steps(), r.Width(), r.Height());
    if (count < 1)
        return;
    const bool bias = p.Dir == fgdLeftBias || p.Dir == fgdRightBias;

    if (!p.Gradient.BufferedDraw()) {
        TCanvasState keep(canvas);
        if (bias)
            PaintBias(canvas, p, r, count);
        else
            PaintBands(canvas, p, r, count);
        return;
    }
    // The block starts as what lies beneath, so hatch gaps and unfilled bands look the
    // same as when painting directly; its origin puts rect's top-left at its (0, 0).
    const TBitmap& target = canvas.Target();
    TBitmap block(r.Width(), r.Height(), target.PixelFormat());
    TCanvas& dc = block.Canvas();
    dc.BitBlt(0, 0, r.Width(), r.Height(), canvas, r.Left, r.Top, SRCCOPY);
    dc.SetOrigin(TPoint{-r.Left, -r.Top});
    if (bias)
        PaintBias(dc, p, r, count);
    else
        PaintBands(dc, p, r, count);
    canvas.BitBlt(r.Left, r.Top, r.Width(), r.Height(), block, 0, 0, SRCCOPY);
}

} // namespace

TColor GradientBandColor(TColor from, TColor to, int index, int count)
{
    auto channel = [&](int shift) {
        const int f = static_cast<int>((from >> shift) & 0xFF);
        const int t = static_cast<int>((to >> shift) & 0xFF);
        if (count <= 1)
            return static_cast<std::uint8_t>(f);
        return static_cast<std::uint8_t>(std::clamp(f + MulDiv(index, t - f, count - 1), 0, 255));
    };
    return RGB(channel(0), channel(8), channel(16));
}

void GradientFill(const TCustomGradient& gradient, TCanvas& canvas, const TRect& rect, TPenStyle penStyle, int penWidth)
{
    if (!gradient.Active() || gradient.Steps() == 1 || canvas.BitsPerPixel() < 16)
        return;
    if (rect.IsEmpty())
        return;
    const TColor from = gradient.RGBFromColor() & 0x00FFFFFFu;
    const TColor to = gradient.RGBToColor() & 0x00FFFFFFu;
    const int halfW = rect.Width() / 2;
    const int halfH = rect.Height() / 2;

    switch (gradient.Orientation()) {
    case fgdHorzConvergent: {
        // From, to, from down the rectangle.
        const TBandPainter down{gradient, fgdHorizontal, from, to, penStyle, penWidth};
        const TBandPainter up{gradient, fgdHorizontal, to, from, penStyle, penWidth};
        PaintSimple(canvas, down, Rect(rect.Left, rect.Top, rect.Right, rect.Bottom - halfH));
        PaintSimple(canvas, up, Rect(rect.Left, rect.Top + halfH, rect.Right, rect.Bottom));
        break;
    }
    case fgdVertConvergent: {
        const TBandPainter right{gradient, fgdVertical, from, to, penStyle, penWidth};
        const TBandPainter back{gradient, fgdVertical, to, from, penStyle, penWidth};
        PaintSimple(canvas, right, Rect(rect.Left, rect.Top, rect.Right - halfW, rect.Bottom));
        PaintSimple(canvas, back, Rect(rect.Left + halfW, rect.Top, rect.Right, rect.Bottom));
        break;
    }
    default:
        PaintSimple(canvas, TBandPainter{gradient, gradient.Orientation(), from, to, penStyle, penWidth}, rect);
        break;
    }
}
