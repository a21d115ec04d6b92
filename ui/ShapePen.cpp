#include "ui/ShapePen.h"

#include "classes/Published.h"
#include "ui/ColorIdents.h"

// The names of the gfx pen enumerations, for this file's reflection only.
static const TEnumInfo& GetEnumInfo(TPenStyle)
{
    static const TEnumInfo info(
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    return info;
}
static const TEnumInfo& GetEnumInfo(TPenMode)
{
    static const TEnumInfo info("TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                             "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                                             "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
    return info;
}
const TClassInfo& TShapePen::StaticClass()
{
    using T = TShapePen;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TPen", {
                    Published<T>("Color", &T::GetColor, &T::SetColor).Default(clBlack).Idents(ColorIdentToInt),
                    Published<T>("Mode", &T::GetMode, &T::SetMode).Default(pmCopy),
                    Published<T>("Style", &T::GetStyle, &T::SetStyle).Default(psSolid),
                    Published<T>("Width", &T::GetWidth, &T::SetWidth).Default(1),
                });
    return info;
}

void TShapePen::Assign(const TPersistent& source)
{
    if (const auto* other = dynamic_cast<const TShapePen*>(&source))
        FPen.Assign(other->FPen);
    else
        TPersistent::Assign(source);
}
