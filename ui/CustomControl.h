#pragma once

#include "ui/WinControl.h"

// A windowed control that draws itself: override Paint and draw on Canvas() (see Control.h).
class TCustomControl : public TWinControl {
public:
    VELTRANE_CLASS_INFO
    explicit TCustomControl(TComponent* owner);
};
