#include "widgets/TransFigure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void DrawTransFigure(TCanvas& canvas, transshape::TShapeType shape, const TPen& pen, const TBrush& brush, int width,
                     int height, int angle)
{
    using namespace transshape;
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
    const int pw = canvas.Pen().Width();
    int x = pw / 2, y = pw / 2;
    int w = width - pw + 1, h = height - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (shape == stSquare || shape == stRoundSquare || shape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (shape) {
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
    case stLine:
        DrawAngleLine(canvas, width / 2, height / 2, angle, true, width, height);
        break;
    case stCenterLine:
        DrawAngleLine(canvas, width / 2, height / 2, angle, false, width, height);
        break;
    case stNone:
    default:
        break;
    }
}

void DrawAngleLine(TCanvas& canvas, int centerX, int centerY, int angle, bool through, int width, int height)
{
    const double diagonal = std::sqrt(static_cast<double>(width) * width + static_cast<double>(height) * height);
    const int length = static_cast<int>(std::trunc(diagonal));
    const double a = angle * std::numbers::pi / 180.0;
    const int dx = static_cast<int>(std::trunc(std::cos(a) * length));
    const int dy = static_cast<int>(std::trunc(std::sin(a) * length));
    if (through)
        canvas.MoveTo(centerX - dx, centerY - dy);
    else
        canvas.MoveTo(centerX, centerY);
    canvas.LineTo(centerX + dx, centerY + dy);
}
