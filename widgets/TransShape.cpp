#include "widgets/TransShape.h"

#include "widgets/TransFigure.h"

#include "classes/ClassRegistry.h"
#include "classes/Published.h"
#include "ui/ColorIdents.h"

using transshape::GetEnumInfo;

const TClassInfo& TTransShape::StaticClass()
{
    using T = TTransShape;
    static const TClassInfo info = MakeClass<T, TCustomTransCanvas>(
        "TTransShape",
        {
            Published<T>("Angle", &T::Angle, &T::SetAngle).NoDefault(),
            Published<T>("UseCalcEvent", &T::FUseCalcEvent, &T::FUseCalcEvent).NoDefault(),
            Published<T>("OnCalc", &T::FOnCalc, &T::FOnCalc),
            Published<T>("TransFade", &T::TransFade, &T::SetTransFade).NoDefault(),
            Published<T>("TransType", &T::TransType, &T::SetTransType).NoDefault(),
            Published<T>("TransPercent", &T::TransPercent, &T::SetTransPercent).NoDefault(),
            Published<T>("TransMinCutoff", &T::TransMinCutoff, &T::SetTransMinCutoff).NoDefault(),
            Published<T>("TransMaxCutoff", &T::TransMaxCutoff, &T::SetTransMaxCutoff).NoDefault(),
            Published<T>("TransKeyColor", &T::TransKeyColor, &T::SetTransKeyColor).Idents(ColorIdentToInt).NoDefault(),
            Published<T>("TransBiasPercent", &T::TransBiasPercent, &T::SetTransBiasPercent).NoDefault(),
            Published<T>("ScreenBiasPercent", &T::ScreenBiasPercent, &T::SetScreenBiasPercent).NoDefault(),
            Published<T>("Inverse", &T::Inverse, &T::SetInverse).NoDefault(),
            Published<T>("OnPaint", &T::FOnPaint, &T::FOnPaint),
            Published<T>("CanvasType", &T::CanvasType, &T::SetCanvasType).NoDefault(),
            Published<T>("Brush", &T::GetBrush, &T::SetBrush),
            Published<T>("Pen", &T::GetPen, &T::SetPen),
            Published<T>("Shape", &T::Shape, &T::SetShape).NoDefault(),
        },
        {PublishedMethod("StyleChanged", &T::StyleChanged)});
    return info;
}

void RegisterTransShapeClasses(TClassRegistry& classes)
{
    classes.RegisterClass(TTransShape::StaticClass());
}

TTransShape::TTransShape(TComponent* owner) : TCustomTransCanvas(owner)
{
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csReplicatable);
    SetBounds(Left(), Top(), 65, 65);
    FPen.Pen().OnChange = [this] { StyleChanged(&FPen); };
    FBrush.Brush().OnChange = [this] { StyleChanged(&FBrush); };
}

TTransShape::~TTransShape()
{
    FPen.Pen().OnChange = nullptr;
    FBrush.Brush().OnChange = nullptr;
}

void TTransShape::SetPen(TShapePen* value)
{
    if (value)
        FPen.Assign(*value);
}

void TTransShape::SetBrush(TShapeBrush* value)
{
    if (value)
        FBrush.Assign(*value);
}

void TTransShape::SetShape(TShapeType value)
{
    if (value == FShape)
        return;
    FShape = value;
    Invalidate();
}

void TTransShape::SetAngle(int value)
{
    if (value == FAngle)
        return;
    FAngle = value;
    Invalidate();
}

void TTransShape::StyleChanged(TObject* /*sender*/)
{
    Invalidate();
}

void TTransShape::DrawAngleLine(TCanvas& canvas, int centerX, int centerY, int angle, bool through)
{
    ::DrawAngleLine(canvas, centerX, centerY, angle, through, Width(), Height());
}

void TTransShape::DrawContent(TCanvas& canvas)
{
    TCustomTransCanvas::DrawContent(canvas);
    DrawTransFigure(canvas, FShape, FPen.Pen(), FBrush.Brush(), Width(), Height(), FAngle);
}
