#pragma once

#include "classes/Persistent.h"

#include <functional>

// The horizontal scroll bar settings of a scroll box (HorzScrollBar in form definitions):
// Visible, Increment (the step of the arrow buttons, 8 pixels by default), Tracking (scroll
// while the thumb is dragged rather than at its release), Position and Range (the width of the
// scrolled area; with the box's AutoScroll it is taken from the controls and writing it has no
// effect). OnChange tells the owner that it must update.
class TControlScrollBar : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value) { FTracking = value; }
    // Reading asks the owner (see OnPosition, OnRange); writing goes through them too.
    int Position() const { return FGetPosition ? FGetPosition() : 0; }
    void SetPosition(int value)
    {
        if (FSetPosition)
            FSetPosition(value);
    }
    int Range() const { return FGetRange ? FGetRange() : FRange; }
    void SetRange(int value);
    // The range stored for a box without AutoScroll.
    int FixedRange() const { return FRange; }

    void Assign(const TPersistent& source) override;

    std::function<void()> OnChange;
    std::function<int()> FGetPosition;
    std::function<void(int)> FSetPosition;
    std::function<int()> FGetRange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }

    bool FVisible = true;
    int FIncrement = 8;
    bool FTracking = false;
    int FRange = 0;
};
