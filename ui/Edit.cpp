#include "ui/Edit.h"

#include "classes/Published.h"

const TClassInfo& TEdit::StaticClass()
{
    using T = TEdit;
    static const TClassInfo info = MakeClass<T, TCustomEdit>(
        "TEdit", {
                     Published<T>("AutoSelect", &T::AutoSelect, &T::SetAutoSelect).Default(true),
                     Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true),
                     Published<T>("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(bsSingle),
                     Published<T>("Ctl3D", &T::Ctl3D, &T::SetCtl3D).Default(true),
                     Published<T>("HideSelection", &T::HideSelection, &T::SetHideSelection).Default(true),
                     Published<T>("MaxLength", &T::MaxLength, &T::SetMaxLength).Default(0),
                     Published<T>("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false),
                     Published<T>("TabStop", &T::TabStop, &T::SetTabStop).Default(true),
                     Published<T>("Text", &T::Text, &T::SetText),
                     Published<T>("OnChange", &T::OnChange, &T::SetOnChange),
                 });
    return info;
}
