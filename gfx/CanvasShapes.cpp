#include "gfx/Canvas.h"

#include "gfx/CanvasPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int KindRectangle = 0;
constexpr int KindEllipse = 1;
constexpr int KindRoundRect = 2;
constexpr int Far = 1 << 30;

// The rows of the ellipse whose outline passes through the corner pixels
// (x0, y0) and (x1, y1) inclusive: each row spans from its leftmost to its rightmost
// outline pixel. The outline is traced with integer error terms (midpoint method
// for an ellipse in a rectangle of any width and height, odd or even).
void EllipseSpans(int x0, int y0, int x1, int y1, int top, std::vector<int>& rowX0, std::vector<int>& rowX1)
{
    const int rows = static_cast<int>(rowX0.size());
    auto plot = [&](std::int64_t x, std::int64_t y) {
        const std::int64_t row = y - top;
        if (row < 0 || row >= rows)
            return;
        const std::size_t r = static_cast<std::size_t>(row);
        rowX0[r] = std::min(rowX0[r], static_cast<int>(x));
        rowX1[r] = std::max(rowX1[r], static_cast<int>(x));
    };
    std::int64_t a = x1 - x0, b = y1 - y0;
    const std::int64_t b1 = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    std::int64_t err = dx + dy + b1 * a * a;
    std::int64_t left = x0, right = x1;
    std::int64_t lower = y0 + (b + 1) / 2, upper = lower - b1;
    const std::int64_t aa = 8 * a * a, bb = 8 * b * b;
    do {
        plot(right, lower);
        plot(left, lower);
        plot(left, upper);
        plot(right, upper);
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++lower;
            --upper;
            dy += aa;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++left;
            --right;
            dx += bb;
            err += dx;
        }
    } while (left <= right);
    // Very narrow ellipses stop before reaching the top and bottom rows: their
    // remaining rows are the tips, in the middle columns.
    for (std::size_t r = 0; r < rowX0.size(); ++r)
        if (rowX0[r] > rowX1[r]) {
            rowX0[r] = static_cast<int>(left - 1);
            rowX1[r] = static_cast<int>(right + 1);
        }
}

} // namespace

TCanvas::TRows TCanvas::FigureRows(int kind, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    TRows rows;
    rows.Top = top;
    if (right <= left || bottom <= top)
        return rows;
    const std::size_t height = static_cast<std::size_t>(bottom - top);
    if (kind == KindRectangle) {
        rows.X0.assign(height, left);
        rows.X1.assign(height, right - 1);
        return rows;
    }
    rows.X0.assign(height, Far);
    rows.X1.assign(height, -Far);
    if (kind == KindEllipse) {
        EllipseSpans(left, top, right - 1, bottom - 1, top, rows.X0, rows.X1);
        return rows;
    }
    const int cw = std::min(cornerWidth, right - left);
    const int ch = std::min(cornerHeight, bottom - top);
    if (cw <= 1 || ch <= 1)
        return FigureRows(KindRectangle, left, top, right, bottom, 0, 0);
    const TRows corner = FigureRows(KindEllipse, 0, 0, cw, ch, 0, 0);
    const int half = ch / 2;
    for (int y = top; y < bottom; ++y) {
        const std::size_t r = static_cast<std::size_t>(y - top);
        int cornerRow = -1;
        if (y - top < half)
            cornerRow = y - top;
        else if (bottom - 1 - y < half)
            cornerRow = ch - (bottom - y);
        if (cornerRow < 0) {
            rows.X0[r] = left;
            rows.X1[r] = right - 1;
        } else {
            const std::size_t c = static_cast<std::size_t>(cornerRow);
            rows.X0[r] = left + corner.X0[c];
            rows.X1[r] = right - cw + corner.X1[c];
        }
    }
    return rows;
}

TCanvas::TRows TCanvas::InteriorOf(const TRows& rows)
{
    // A pixel is inside when all four of its neighbours belong to the figure.
    TRows inner;
    inner.Top = rows.Top;
    const std::size_t n = rows.X0.size();
    inner.X0.assign(n, Far);
    inner.X1.assign(n, -Far);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        inner.X0[i] = std::max({rows.X0[i] + 1, rows.X0[i - 1], rows.X0[i + 1]});
        inner.X1[i] = std::min({rows.X1[i] - 1, rows.X1[i - 1], rows.X1[i + 1]});
    }
    return inner;
}

void TCanvas::PaintRows(const TRows& rows, bool withPen, int rop2)
{
    const std::uint32_t color = DeviceColor(FPen.Color());
    for (std::size_t i = 0; i < rows.X0.size(); ++i) {
        const int y = rows.Top + static_cast<int>(i);
        if (withPen)
            PaintSolidSpan(y, rows.X0[i], rows.X1[i], color, rop2);
        else
            PaintBrushSpan(y, rows.X0[i], rows.X1[i], rop2);
    }
}

void TCanvas::PaintRing(const TRows& outer, const TRows& inner, int rop2)
{
    const std::uint32_t color = DeviceColor(FPen.Color());
    for (std::size_t i = 0; i < outer.X0.size(); ++i) {
        const int y = outer.Top + static_cast<int>(i);
        const int o0 = outer.X0[i], o1 = outer.X1[i];
        const int j = y - inner.Top;
        if (j >= 0 && j < static_cast<int>(inner.X0.size()) && inner.X0[static_cast<std::size_t>(j)] <= inner.X1[static_cast<std::size_t>(j)]) {
            PaintSolidSpan(y, o0, inner.X0[static_cast<std::size_t>(j)] - 1, color, rop2);
            PaintSolidSpan(y, inner.X1[static_cast<std::size_t>(j)] + 1, o1, color, rop2);
        } else {
            PaintSolidSpan(y, o0, o1, color, rop2);
        }
    }
}

void TCanvas::DrawFigure(int left, int top, int right, int bottom, int kind, int cornerWidth, int cornerHeight)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    left += FOrigin.X;
    right += FOrigin.X;
    top += FOrigin.Y;
    bottom += FOrigin.Y;
    const int rop2 = PenRop2();
    const TPenStyle style = FPen.Style();
    const int w = FPen.Width();
    if (style == psClear) {
        PaintRows(FigureRows(kind, left, top, right - 1, bottom - 1, cornerWidth, cornerHeight), false, rop2);
        return;
    }
    if (w <= 1) {
        const bool dashed = style >= psDash && style <= psDashDotDot;
        if (kind == KindRectangle && dashed) {
            PaintRows(FigureRows(kind, left + 1, top + 1, right - 1, bottom - 1, 0, 0), false, rop2);
            if (right > left && bottom > top) {
                FDashPos = 0;
                CosmeticLine(left, top, right - 1, top, rop2);
                CosmeticLine(right - 1, top, right - 1, bottom - 1, rop2);
                CosmeticLine(right - 1, bottom - 1, left, bottom - 1, rop2);
                CosmeticLine(left, bottom - 1, left, top, rop2);
                FDashPos = 0;
            }
            return;
        }
        const TRows rows = FigureRows(kind, left, top, right, bottom, cornerWidth, cornerHeight);
        const TRows inner = InteriorOf(rows);
        PaintRing(rows, inner, rop2);
        PaintRows(inner, false, rop2);
        return;
    }
    if (style == psInsideFrame) {
        left += w / 2;
        top += w / 2;
        right -= (w - 1) / 2;
        bottom -= (w - 1) / 2;
    }
    // A wide pen is centred on the one-pixel outline: it reaches w / 2 pixels outward
    // on the left and top, (w - 1) / 2 on the right and bottom.
    const int out = w / 2, in = (w - 1) / 2;
    const TRows outer = FigureRows(kind, left - out, top - out, right + in, bottom + in, cornerWidth + w - 1, cornerHeight + w - 1);
    const TRows inner = FigureRows(kind, left + in + 1, top + in + 1, right - 1 - out, bottom - 1 - out,
                                   std::max(0, cornerWidth - w - 1), std::max(0, cornerHeight - w - 1));
    PaintRing(outer, inner, rop2);
    PaintRows(inner, false, rop2);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    DrawFigure(left, top, right, bottom, KindRectangle, 0, 0);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    DrawFigure(left, top, right, bottom, KindRoundRect, std::abs(cornerWidth), std::abs(cornerHeight));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    DrawFigure(left, top, right, bottom, KindEllipse, 0, 0);
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    int minY = points[0].Y, maxY = points[0].Y;
    for (const TPoint& p : points) {
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    const int rop2 = PenRop2();
    std::vector<double> crossings;
    for (int y = minY; y < maxY; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint a = points[i];
            const TPoint b = points[(i + 1) % points.size()];
            if ((a.Y <= centre && b.Y > centre) || (b.Y <= centre && a.Y > centre))
                crossings.push_back(a.X + (centre - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int x0 = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int x1 = static_cast<int>(std::ceil(crossings[i + 1] - 0.5)) - 1;
            PaintBrushSpan(y + FOrigin.Y, x0 + FOrigin.X, x1 + FOrigin.X, rop2);
        }
    }
    if (FPen.Style() == psClear)
        return;
    const TPoint saved = FPenPos;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i <= points.size(); ++i)
        LineTo(points[i % points.size()].X, points[i % points.size()].Y);
    FPenPos = saved;
}
