#pragma once

#include "classes/EnumInfo.h"
#include "ui/GraphicControl.h"
#include "ui/ShapeBrush.h"
#include "ui/ShapePen.h"

#include <cstdint>

enum TShapeType : std::uint8_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
VELTRANE_ENUM_INFO(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle")

// A figure outlined with Pen and filled with Brush, inside the control's rectangle with the
// pen's width taken into account. Square, round square and circle use the largest square
// centred in the control. A clear pen leaves the figure unoutlined (and, as the platform does,
// one pixel smaller).
class TShape : public TGraphicControl {
public:
    VELTRANE_CLASS_INFO

    explicit TShape(TComponent* owner);

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);
    TShapePen* Pen() const { return const_cast<TShapePen*>(&FPen); }
    void SetPen(TShapePen* value)
    {
        if (value)
            FPen.Assign(*value);
    }
    TShapeBrush* Brush() const { return const_cast<TShapeBrush*>(&FBrush); }
    void SetBrush(TShapeBrush* value)
    {
        if (value)
            FBrush.Assign(*value);
    }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    TShapePen FPen;
    TShapeBrush FBrush;
};
