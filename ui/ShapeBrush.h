#pragma once

#include "classes/Persistent.h"

#include "gfx/Brush.h"

// The reflected face of a shape's brush, stored as "TBrush": a persistent sub-object owning the
// gfx brush that drawing uses. OnChange of the brush runs only when a value really changes.
class TShapeBrush : public TPersistent {
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
