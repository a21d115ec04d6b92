#pragma once

#include "ui/CustomEdit.h"

// The single-line edit of form definitions: TCustomEdit with its properties published.
class TEdit : public TCustomEdit {
public:
    VELTRANE_CLASS_INFO
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
