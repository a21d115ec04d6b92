#include "ui/Shape.h"

#include "classes/Published.h"

#include "gfx/Canvas.h"

#include <algorithm>

const TClassInfo& TShape::StaticClass()
{
    using T = TShape;
    static const TClassInfo info =
        MakeClass<T, TGraphicControl>("TShape", {
                                                    Published<T>("Brush", &T::Brush, &T::SetBrush),
                                                    Published<T>("Pen", &T::Pen, &T::SetPen),
                                                    Published<T>("Shape", &T::Shape, &T::SetShape).Default(stRectangle),
                                                });
    return info;
}

TShape::TShape(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 65;
    FHeight = 65;
    FPen.Pen().OnChange = [this] { Invalidate(); };
    FBrush.Brush().OnChange = [this] { Invalidate(); };
}

void TShape::SetShape(TShapeType value)
{
    if (value == FShape)
        return;
    FShape = value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.SetPen(FPen.Pen());
    canvas.SetBrush(FBrush.Brush());
    const int penWidth = std::max(FPen.Pen().Width(), 0);
    int x = penWidth / 2;
    int y = x;
    int w = FWidth - penWidth + 1;
    int h = FHeight - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = s;
        h = s;
    }
    if (w <= 0 || h <= 0)
        return;
    switch (FShape) {
    case stRectangle:
    case stSquare:
        canvas.Rectangle(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare:
        canvas.RoundRect(x, y, x + w, y + h, s / 4, s / 4);
        break;
    case stEllipse:
    case stCircle:
        canvas.Ellipse(x, y, x + w, y + h);
        break;
    }
}
