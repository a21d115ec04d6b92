#include "gfx/Pen.h"

#include <algorithm>

void TPen::Changed()
{
    if (OnChange)
        OnChange();
}

void TPen::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    value = std::max(value, 0);
    if (value == FWidth)
        return;
    FWidth = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (value == FMode)
        return;
    FMode = value;
    Changed();
}

void TPen::Assign(const TPen& source)
{
    if (&source == this || SameValues(source))
        return;
    FColor = source.FColor;
    FWidth = source.FWidth;
    FStyle = source.FStyle;
    FMode = source.FMode;
    Changed();
}
