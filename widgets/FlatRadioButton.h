#pragma once

#include "widgets/FlatCustomRadioButton.h"

// The flat radio button with its published properties.
class TFlatRadioButton : public TFlatCustomRadioButton {
public:
    VELTRANE_CLASS_INFO

    explicit TFlatRadioButton(TComponent* owner);
};
