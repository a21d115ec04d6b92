#include "gfx/Brush.h"

void TBrush::Changed()
{
    if (OnChange)
        OnChange();
}

void TBrush::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TBrush::Assign(const TBrush& source)
{
    if (&source == this || SameValues(source))
        return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    Changed();
}

bool HatchCovers(TBrushStyle style, int x, int y)
{
    const int hx = x & 7;
    const int hy = y & 7;
    switch (style) {
    case bsSolid:
        return true;
    case bsHorizontal:
        return hy == 0;
    case bsVertical:
        return hx == 0;
    case bsFDiagonal: // "\": down from left to right
        return hx == hy;
    case bsBDiagonal: // "/": up from left to right
        return hx + hy == 7;
    case bsCross:
        return hx == 0 || hy == 0;
    case bsDiagCross:
        return hx == hy || hx + hy == 7;
    case bsClear:
        break;
    }
    return false;
}
