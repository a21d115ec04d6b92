#include "widgets/FlatRadioButton.h"

#include "classes/Published.h"
#include "ui/ColorIdents.h"

const TClassInfo& TFlatRadioButton::StaticClass()
{
    using T = TFlatRadioButton;
    static const TClassInfo info = MakeClass<T, TFlatCustomRadioButton>(
        "TFlatRadioButton",
        {
            Published<T>("CustomProperty", &T::CustomProperty, &T::SetCustomProperty),
            Published<T>("BlankColor", &T::BlankColor, &T::SetBlankColor).Default(0xFFFFFF).Idents(ColorIdentToInt),
            Published<T>("MarkColor", &T::MarkColor, &T::SetMarkColor).Default(0).Idents(ColorIdentToInt),
            Published<T>("Checked", &T::GetChecked, &T::SetChecked).Default(false),
            Published<T>("Spacing", &T::Spacing, &T::SetSpacing).Default(4),
            Published<T>("Layout", &T::Layout, &T::SetLayout).Default(blGlyphLeft),
            Published<T>("BorderColor", &T::BorderColor, &T::SetBorderColor).Default(0).Idents(ColorIdentToInt),
            Published<T>("GlyphIndex", &T::GlyphIndex, &T::SetGlyphIndex).Default(-1),
            Published<T>("Glyph", &T::Glyph, &T::SetGlyph),
            Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false),
            Published<T>("OnPaint", &T::FOnPaint, &T::FOnPaint),
        });
    return info;
}

TFlatRadioButton::TFlatRadioButton(TComponent* owner) : TFlatCustomRadioButton(owner) {}
