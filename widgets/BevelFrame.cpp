#include "widgets/BevelFrame.h"

namespace {

class TBevelPainter {
public:
    TBevelPainter(TCanvas& canvas, TRect& area) : FCanvas(canvas), FArea(area) {}

    void Bevel(TglSides sides, TBevelCut cut, bool bold)
    {
        if (cut == bvNone)
            return;
        const bool lowered = cut == bvLowered;
        const bool raised = cut == bvRaised;
        const TColor topLeft = raised ? clBtnHighlight : clBtnShadow;
        const TColor bottomRight = lowered ? clBtnHighlight : clBtnShadow;
        const bool boldTopLeft = bold && lowered;
        const bool boldBottomRight = bold && raised;
        for (TglSide side : {fsdLeft, fsdTop, fsdRight, fsdBottom}) {
            if (!sides.Contains(side))
                continue;
            const bool leading = side == fsdLeft || side == fsdTop;
            const bool twoLines = leading ? boldTopLeft : boldBottomRight;
            if (twoLines)
                Line(side, cl3DDkShadow);
            Line(side, leading ? topLeft : bottomRight);
        }
    }

private:
    // One line along a side of the area, both ends included, then that side moves in.
    void Line(TglSide side, TColor color)
    {
        FCanvas.Pen().SetColor(color);
        TRect& a = FArea;
        switch (side) {
        case fsdLeft:
            Segment(a.Left, a.Top, a.Left, a.Bottom);
            ++a.Left;
            break;
        case fsdTop:
            Segment(a.Left, a.Top, a.Right, a.Top);
            ++a.Top;
            break;
        case fsdRight:
            Segment(a.Right, a.Top, a.Right, a.Bottom);
            --a.Right;
            break;
        case fsdBottom:
            Segment(a.Left, a.Bottom, a.Right, a.Bottom);
            --a.Bottom;
            break;
        }
    }

    void Segment(int x0, int y0, int x1, int y1)
    {
        if (x1 < x0 || y1 < y0)
            return;
        FCanvas.MoveTo(x0, y0);
        // Lines leave out their end point; one step further takes the corner in.
        if (x0 == x1)
            FCanvas.LineTo(x1, y1 + 1);
        else
            FCanvas.LineTo(x1 + 1, y1);
    }

    TCanvas& FCanvas;
    TRect& FArea;
};

} // namespace

TRect DrawBevelFrame(TCanvas& canvas, const TRect& rect, TglSides sides, TBevelCut inner, TBevelCut outer, bool bold,
                     TColor color, bool noFill)
{
    TRect area = rect;
    {
        TCanvasState keep(canvas);
        if (canvas.Pen().Width() == 0)
            canvas.Pen().SetWidth(1);
        TBevelPainter painter(canvas, area);
        painter.Bevel(sides, outer, bold);
        painter.Bevel(sides, inner, bold);
        if (!noFill) {
            canvas.Brush().SetColor(color);
            canvas.Brush().SetStyle(bsSolid);
            canvas.FillRect(Rect(area.Left, area.Top, area.Right + 1, area.Bottom + 1));
        }
    }
    return area;
}
