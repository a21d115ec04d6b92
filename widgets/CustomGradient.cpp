#include "widgets/CustomGradient.h"

#include "classes/Published.h"

#include <algorithm>

const TClassInfo& TCustomGradient::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomGradient, TTwainColors>("TCustomGradient", {});
    return info;
}

void TCustomGradient::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    Changed();
}

void TCustomGradient::SetOrientation(TglGradientDir value)
{
    if (value == FOrientation)
        return;
    FOrientation = value;
    Changed();
}

void TCustomGradient::SetSteps(int value)
{
    value = std::clamp(value, MinSteps, MaxSteps);
    if (value == FSteps)
        return;
    FSteps = value;
    Changed();
}

void TCustomGradient::SetPercentFilling(int value)
{
    const auto percent = static_cast<TPercentRange>(std::clamp(value, 0, 100));
    if (percent == FPercentFilling)
        return;
    FPercentFilling = percent;
    Changed();
}

void TCustomGradient::SetBrushStyle(TBrushStyle value)
{
    if (value == FBrushStyle)
        return;
    FBrushStyle = value;
    Changed();
}

void TCustomGradient::Assign(const TPersistent& source)
{
    const auto* gradient = dynamic_cast<const TCustomGradient*>(&source);
    if (!gradient) {
        TTwainColors::Assign(source);
        return;
    }
    if (gradient == this)
        return;
    SetFromColor(gradient->FromColor());
    SetToColor(gradient->ToColor());
    FActive = gradient->FActive;
    FBufferedDraw = gradient->FBufferedDraw;
    FOrientation = gradient->FOrientation;
    FSteps = gradient->FSteps;
    FPercentFilling = gradient->FPercentFilling;
    FBrushStyle = gradient->FBrushStyle;
    Changed();
}
