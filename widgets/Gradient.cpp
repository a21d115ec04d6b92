#include "widgets/Gradient.h"

#include "classes/Published.h"

// The brush styles by name, for the BrushStyle property. Kept to this file so that
// it cannot clash with another declaration of the same names.
static const TEnumInfo& GetEnumInfo(TBrushStyle)
{
    static const TEnumInfo info("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                                "bsBDiagonal", "bsCross", "bsDiagCross"});
    return info;
}

const TClassInfo& TGradient::StaticClass()
{
    using T = TGradient;
    static const TClassInfo info = MakeClass<T, TCustomGradient>(
        "TGradient", {
                         Published<T>("Active", &T::Active, &T::SetActive).NoDefault(),
                         Published<T>("BufferedDraw", &T::BufferedDraw, &T::SetBufferedDraw).Default(false),
                         Published<T>("Orientation", &T::Orientation, &T::SetOrientation).NoDefault(),
                         Published<T>("Steps", &T::Steps, &T::SetSteps).Default(MaxSteps),
                         Published<T>("PercentFilling", &T::PercentFilling, &T::SetPercentFilling).Default(100),
                         Published<T>("BrushStyle", &T::BrushStyle, &T::SetBrushStyle).Default(bsSolid),
                     });
    return info;
}
