#pragma once

#include "classes/Persistent.h"

#include "gfx/Pen.h"

// The reflected face of a shape's pen, stored as "TPen": a persistent sub-object owning the gfx
// pen that drawing uses. OnChange of the pen runs only when a value really changes.
class TShapePen : public TPersistent {
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
