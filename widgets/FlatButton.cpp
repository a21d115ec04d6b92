#include "widgets/FlatButton.h"

#include "widgets/FlatRadioButton.h"

#include "classes/ClassRegistry.h"
#include "classes/Published.h"
#include "ui/ColorIdents.h"

const TClassInfo& TFlatButton::StaticClass()
{
    using T = TFlatButton;
    static const TClassInfo info = MakeClass<T, TFlatCustomButton>(
        "TFlatButton",
        {
            Published<T>("CustomProperty", &T::CustomProperty, &T::SetCustomProperty),
            Published<T>("Spacing", &T::Spacing, &T::SetSpacing).Default(4),
            Published<T>("Layout", &T::Layout, &T::SetLayout).Default(blGlyphLeft),
            Published<T>("FocusStyle", &T::FocusStyle, &T::SetFocusStyle).Default(ffsBorder),
            Published<T>("BorderColor", &T::BorderColor, &T::SetBorderColor).Default(0).Idents(ColorIdentToInt),
            Published<T>("GlyphIndex", &T::GlyphIndex, &T::SetGlyphIndex).Default(-1),
            Published<T>("Glyph", &T::Glyph, &T::SetGlyph),
            Published<T>("State", &T::State, &T::SetState).Default(cbUnchecked),
            Published<T>("GroupIndex", &T::GroupIndex, &T::SetGroupIndex).Default(0),
            Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false),
            Published<T>("Cancel", &T::Cancel, &T::SetCancel),
            Published<T>("Default", &T::Default, &T::SetDefault),
            Published<T>("ModalResult", &T::ModalResult, &T::SetModalResult),
            Published<T>("OnPaint", &T::FOnPaint, &T::FOnPaint),
        });
    return info;
}

TFlatButton::TFlatButton(TComponent* owner) : TFlatCustomButton(owner) {}

void RegisterFlatButtons(TClassRegistry& classes)
{
    classes.RegisterClass(TFlatButton::StaticClass());
    classes.RegisterClass(TFlatRadioButton::StaticClass());
}
