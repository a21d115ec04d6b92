#pragma once

#include "widgets/CustomGradient.h"

// The gradient as form definitions see it: FromColor and ToColor, then Active,
// BufferedDraw, Orientation, Steps, PercentFilling and BrushStyle.
class TGradient : public TCustomGradient {
public:
    VELTRANE_CLASS_INFO

    TGradient() = default;
};
