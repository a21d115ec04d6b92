#include "ui/GraphicControl.h"

#include "classes/Published.h"

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info = MakeClass<TGraphicControl, TControl>("TGraphicControl", {});
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}
