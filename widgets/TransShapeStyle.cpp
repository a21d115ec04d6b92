#include "widgets/TransShapeStyle.h"

#include "ui/ColorIdents.h"
#include "ui/Published.h"

// Names of the pen and brush enumerations, kept to this file.
static const TEnumInfo& GetEnumInfo(TPenStyle) {
    static const TEnumInfo info("TPenStyle",
                                {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    return info;
}
static const TEnumInfo& GetEnumInfo(TPenMode) {
    static const TEnumInfo info("TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                             "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                                             "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
    return info;
}
static const TEnumInfo& GetEnumInfo(TBrushStyle) {
    static const TEnumInfo info("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                                "bsBDiagonal", "bsCross", "bsDiagCross"});
    return info;
}

const TClassInfo& TTransShapePen::StaticClass() {
    using T = TTransShapePen;
    static const TClassInfo info = MakeClass<T, TPersistent>("TPen", {
        Published<T>("Color", &T::GetColor, &T::SetColor).Idents(ColorIdentToInt).Default(clBlack),
        Published<T>("Mode", &T::GetMode, &T::SetMode).Default(pmCopy),
        Published<T>("Style", &T::GetStyle, &T::SetStyle).Default(psSolid),
        Published<T>("Width", &T::GetWidth, &T::SetWidth).Default(1),
    });
    return info;
}

void TTransShapePen::Assign(const TPersistent& source) {
    if (const auto* pen = dynamic_cast<const TTransShapePen*>(&source)) {
        FPen.Assign(pen->FPen);
        return;
    }
    TPersistent::Assign(source);
}

const TClassInfo& TTransShapeBrush::StaticClass() {
    using T = TTransShapeBrush;
    static const TClassInfo info = MakeClass<T, TPersistent>("TBrush", {
        Published<T>("Color", &T::GetColor, &T::SetColor).Idents(ColorIdentToInt).Default(clWhite),
        Published<T>("Style", &T::GetStyle, &T::SetStyle).Default(bsSolid),
    });
    return info;
}

void TTransShapeBrush::Assign(const TPersistent& source) {
    if (const auto* brush = dynamic_cast<const TTransShapeBrush*>(&source)) {
        FBrush.Assign(brush->FBrush);
        return;
    }
    TPersistent::Assign(source);
}
