#include "ui/ShapeEdges.h"

#include "gfx/Canvas.h"

namespace {

void Fill(TCanvas& canvas, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

} // namespace

TRect DrawEdgeLines(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight)
{
    if (rect.IsEmpty())
        return rect;
    Fill(canvas, Rect(rect.Left, rect.Top, rect.Right - 1, rect.Top + 1), topLeft);
    Fill(canvas, Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1), topLeft);
    Fill(canvas, Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), bottomRight);
    Fill(canvas, Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), bottomRight);
    TRect inner = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    if (inner.IsEmpty())
        inner = TRect{};
    return inner;
}

TRect DrawSunkenEdge(TCanvas& canvas, const TRect& rect)
{
    const TRect inner = DrawEdgeLines(canvas, rect, clBtnShadow, clBtnHighlight);
    return DrawEdgeLines(canvas, inner, cl3DDkShadow, cl3DLight);
}

TRect DrawRaisedEdge(TCanvas& canvas, const TRect& rect)
{
    const TRect inner = DrawEdgeLines(canvas, rect, clBtnHighlight, cl3DDkShadow);
    return DrawEdgeLines(canvas, inner, cl3DLight, clBtnShadow);
}

TRect DrawButtonFace(TCanvas& canvas, const TRect& rect, bool down)
{
    TRect inner;
    if (down) {
        inner = DrawEdgeLines(canvas, rect, cl3DDkShadow, clBtnHighlight);
        inner = DrawEdgeLines(canvas, inner, clBtnShadow, cl3DLight);
    } else {
        inner = DrawRaisedEdge(canvas, rect);
    }
    Fill(canvas, inner, clBtnFace);
    return inner;
}

void DrawEtchedFrame(TCanvas& canvas, const TRect& rect)
{
    if (rect.Width() < 2 || rect.Height() < 2)
        return;
    // Highlight frame one pixel right and down, shadow frame on top of it.
    const TRect light = Rect(rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom);
    const TRect dark = Rect(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnHighlight);
    canvas.FrameRect(light);
    canvas.Brush().SetColor(clBtnShadow);
    canvas.FrameRect(dark);
}
