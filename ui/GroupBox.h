#pragma once

#include "ui/CustomControl.h"

// A frame around a group of controls with its caption on the top line. The etched frame runs
// from half the caption's height down; the caption starts 8 pixels in, on the box's Color.
// Group boxes take their parent's colour unless given one. "&x" in the caption makes x an
// accelerator that focuses the first control of the group.
class TGroupBox : public TCustomControl {
public:
    VELTRANE_CLASS_INFO

    explicit TGroupBox(TComponent* owner);

    // The rectangle of the caption (empty for an empty caption).
    TRect CaptionRect();

protected:
    void Paint() override;
    bool DialogChar(char ch) override;
};
