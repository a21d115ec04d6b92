#pragma once

#include "ui/Control.h"

// A windowless control: drawn on its parent's surface within its own rectangle, never focused,
// never a parent. Its background is what the parent and the controls beneath it painted;
// csOpaque declares that Paint covers the whole rectangle.
class TGraphicControl : public TControl {
public:
    VELTRANE_CLASS_INFO
    explicit TGraphicControl(TComponent* owner);
};
