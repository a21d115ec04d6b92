#include "widgets/TwainColors.h"

#include "classes/Published.h"
#include "ui/ColorIdents.h"

const TClassInfo& TTwainColors::StaticClass()
{
    using T = TTwainColors;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TTwainColors",
        {
            Published<T>("FromColor", &T::FromColor, &T::SetFromColor)
                .Idents(ColorIdentToInt)
                .Default(DefaultFromColor),
            Published<T>("ToColor", &T::ToColor, &T::SetToColor).Idents(ColorIdentToInt).Default(DefaultToColor),
        });
    return info;
}

TTwainColors::TTwainColors()
    : FFromColor(DefaultFromColor), FToColor(DefaultToColor), FRGBFromColor(ColorToRGB(DefaultFromColor)),
      FRGBToColor(ColorToRGB(DefaultToColor))
{}

void TTwainColors::SetFromColor(TColor value)
{
    if (value == FFromColor)
        return;
    FFromColor = value;
    FRGBFromColor = ColorToRGB(value);
    Changed();
}

void TTwainColors::SetToColor(TColor value)
{
    if (value == FToColor)
        return;
    FToColor = value;
    FRGBToColor = ColorToRGB(value);
    Changed();
}

void TTwainColors::Assign(const TPersistent& source)
{
    if (const auto* colors = dynamic_cast<const TTwainColors*>(&source)) {
        SetFromColor(colors->FFromColor);
        SetToColor(colors->FToColor);
        return;
    }
    TPersistent::Assign(source);
}

void TTwainColors::Changed()
{
    if (OnChanged)
        OnChanged(*this);
}
