#pragma once

#include "widgets/FlatCustomButton.h"

class TClassRegistry;

// The flat push button with its published properties.
class TFlatButton : public TFlatCustomButton {
public:
    VELTRANE_CLASS_INFO

    explicit TFlatButton(TComponent* owner);
};

// Adds TFlatButton and TFlatRadioButton to the classes form definitions may name.
void RegisterFlatButtons(TClassRegistry& classes);
