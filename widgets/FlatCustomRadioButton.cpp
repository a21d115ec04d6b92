#include "widgets/FlatCustomRadioButton.h"

#include "classes/Published.h"

const TClassInfo& TFlatCustomRadioButton::StaticClass()
{
    static const TClassInfo info = MakeClass<TFlatCustomRadioButton, TFlatCustomButton>("TFlatCustomRadioButton", {});
    return info;
}

TFlatCustomRadioButton::TFlatCustomRadioButton(TComponent* owner) : TFlatCustomButton(owner) {}
