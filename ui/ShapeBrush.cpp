#include "ui/ShapeBrush.h"

#include "classes/Published.h"
#include "ui/ColorIdents.h"

// The names of the gfx brush styles, for this file's reflection only.
static const TEnumInfo& GetEnumInfo(TBrushStyle)
{
    static const TEnumInfo info("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                                "bsBDiagonal", "bsCross", "bsDiagCross"});
    return info;
}

const TClassInfo& TShapeBrush::StaticClass()
{
    using T = TShapeBrush;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TBrush", {
                      Published<T>("Color", &T::GetColor, &T::SetColor).Default(clWhite).Idents(ColorIdentToInt),
                      Published<T>("Style", &T::GetStyle, &T::SetStyle).Default(bsSolid),
                  });
    return info;
}

void TShapeBrush::Assign(const TPersistent& source)
{
    if (const auto* other = dynamic_cast<const TShapeBrush*>(&source))
        FBrush.Assign(other->FBrush);
    else
        TPersistent::Assign(source);
}
