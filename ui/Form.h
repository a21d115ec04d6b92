#pragma once

#include "ui/CustomForm.h"

// The form class that form definitions name: TCustomForm with its properties published.
class TForm : public TCustomForm {
public:
    VELTRANE_CLASS_INFO
    explicit TForm(TComponent* owner);
};
