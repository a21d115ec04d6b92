#include "ui/Label.h"

#include "classes/Published.h"
#include "ui/WinControl.h"

const TClassInfo& TLabel::StaticClass()
{
    using T = TLabel;
    static const TClassInfo info = MakeClass<T, TCustomLabel>(
        "TLabel", {
                      Published<T>("Alignment", &T::Alignment, &T::SetAlignment).Default(taLeftJustify),
                      Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true),
                      Published<T>("FocusControl", &T::FocusControl, &T::SetFocusControl),
                      Published<T>("Layout", &T::Layout, &T::SetLayout).Default(tlTop),
                      Published<T>("ShowAccelChar", &T::ShowAccelChar, &T::SetShowAccelChar).Default(true),
                      Published<T>("Transparent", &T::Transparent, &T::SetTransparent).Default(false),
                      Published<T>("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false),
                  });
    return info;
}
