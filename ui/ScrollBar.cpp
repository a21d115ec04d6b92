#include "ui/ScrollBar.h"

#include "classes/Published.h"

#include <algorithm>

const TClassInfo& TControlScrollBar::StaticClass()
{
    using T = TControlScrollBar;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TControlScrollBar", {
                                 Published<T>("Increment", &T::Increment, &T::SetIncrement).Default(8),
                                 Published<T>("Position", &T::Position, &T::SetPosition).Default(0),
                                 Published<T>("Range", &T::FixedRange, &T::SetRange).Default(0),
                                 Published<T>("Tracking", &T::Tracking, &T::SetTracking).Default(false),
                                 Published<T>("Visible", &T::Visible, &T::SetVisible).Default(true),
                             });
    return info;
}

void TControlScrollBar::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    Changed();
}

void TControlScrollBar::SetIncrement(int value)
{
    FIncrement = std::clamp(value, 1, 32767);
}

void TControlScrollBar::SetRange(int value)
{
    value = std::max(value, 0);
    if (value == FRange)
        return;
    FRange = value;
    Changed();
}

void TControlScrollBar::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TControlScrollBar*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FVisible = other->FVisible;
    FIncrement = other->FIncrement;
    FTracking = other->FTracking;
    FRange = other->FRange;
    Changed();
    SetPosition(other->Position());
}
