#pragma once

#include "ui/CustomLabel.h"

// The label of form definitions: TCustomLabel with its properties published.
class TLabel : public TCustomLabel {
public:
    VELTRANE_CLASS_INFO
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};
