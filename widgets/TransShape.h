#pragma once

#include "widgets/CustomTransCanvas.h"
#include "widgets/TransTypes.h"

#include "ui/ShapeBrush.h"
#include "ui/ShapePen.h"

class TClassRegistry;

// A translucent figure: rectangle, square, rounded rectangle or square, ellipse, circle, or
// a line through or from the centre at Angle degrees, drawn with Pen and Brush and blended
// with what lies beneath (see TCustomTransCanvas). The control covers its whole rectangle.
class TTransShape : public TCustomTransCanvas {
public:
    VELTRANE_CLASS_INFO

    using TShapeType = transshape::TShapeType;

    explicit TTransShape(TComponent* owner);
    ~TTransShape() override;

    TPen& Pen() { return FPen.Pen(); }
    TShapePen* GetPen() const { return const_cast<TShapePen*>(&FPen); }
    void SetPen(TShapePen* value);
    TBrush& Brush() { return FBrush.Brush(); }
    TShapeBrush* GetBrush() const { return const_cast<TShapeBrush*>(&FBrush); }
    void SetBrush(TShapeBrush* value);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);
    int Angle() const { return FAngle; }
    void SetAngle(int value);

    // The pen or the brush changed: repaint.
    void StyleChanged(TObject* sender);

    // The two line figures (through the centre for stLine).
    void DrawAngleLine(TCanvas& canvas, int centerX, int centerY, int angle, bool through);

protected:
    void DrawContent(TCanvas& canvas) override;

private:
    TShapePen FPen;
    TShapeBrush FBrush;
    TShapeType FShape = transshape::stRectangle;
    int FAngle = 0;
};

// Registers TTransShape for form definitions.
void RegisterTransShapeClasses(TClassRegistry& classes);
