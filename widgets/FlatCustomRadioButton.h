#pragma once

#include "widgets/FlatCustomButton.h"

// A flat button with the radio face: an 11-pixel circle (with a 5-pixel dot when checked)
// beside the caption, no frame, and a focus rectangle around the caption. A click checks it;
// checking it unchecks the other flat radio buttons of the same parent, and only the checked
// one of a parent is a tab stop.
class TFlatCustomRadioButton : public TFlatCustomButton {
public:
    VELTRANE_CLASS_INFO

    explicit TFlatCustomRadioButton(TComponent* owner);

    TFlatButtonKind ButtonKind() const override { return fbkRadioButton; }
};
