#pragma once

#include "ui/Persistent.h"

#include "gfx/Brush.h"
#include "gfx/Pen.h"

// The reflected faces of the translucent shape's pen and brush: persistent sub-objects,
// stored as "TPen" and "TBrush", owning the gfx objects drawing uses. Their OnChange is the
// gfx object's (raised only when a value really changes).
class TTransShapePen : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    TPen& Pen() { return FPen; }
    const TPen& Pen() const { return FPen; }
    void Assign(const TPersistent& source) override;

    TColor GetColor() const { return FPen.Color(); }
    void SetColor(TColor value) { FPen.SetColor(value); }
    int GetWidth() const { return FPen.Width(); }
    void SetWidth(int value) { FPen.SetWidth(value); }
    TPenStyle GetStyle() const { return FPen.Style(); }
    void SetStyle(TPenStyle value) { FPen.SetStyle(value); }
    TPenMode GetMode() const { return FPen.Mode(); }
    void SetMode(TPenMode value) { FPen.SetMode(value); }

private:
    TPen FPen;
};

class TTransShapeBrush : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    TBrush& Brush() { return FBrush; }
    const TBrush& Brush() const { return FBrush; }
    void Assign(const TPersistent& source) override;

    TColor GetColor() const { return FBrush.Color(); }
    void SetColor(TColor value) { FBrush.SetColor(value); }
    TBrushStyle GetStyle() const { return FBrush.Style(); }
    void SetStyle(TBrushStyle value) { FBrush.SetStyle(value); }

private:
    TBrush FBrush;
};
