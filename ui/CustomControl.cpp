#include "ui/CustomControl.h"

#include "classes/Published.h"

const TClassInfo& TCustomControl::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomControl, TWinControl>("TCustomControl", {});
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}
