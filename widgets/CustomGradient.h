#pragma once

#include "widgets/GradTypes.h"
#include "widgets/TwainColors.h"

#include "gfx/Brush.h"

// A gradient between two colours: whether it paints, its direction, the number of
// colour steps, how much of it is filled and the brush of its bands. TGradient
// publishes these properties; GradientFill paints them.
//
// Every setter but SetBufferedDraw raises OnChanged when the value really changes.
class TCustomGradient : public TTwainColors {
public:
    VELTRANE_CLASS_INFO

    static constexpr int MinSteps = 1;
    static constexpr int MaxSteps = 255;

    TCustomGradient() = default;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    // Paint into an off-screen block and copy it in one go.
    bool BufferedDraw() const { return FBufferedDraw; }
    void SetBufferedDraw(bool value) { FBufferedDraw = value; }
    TglGradientDir Orientation() const { return FOrientation; }
    void SetOrientation(TglGradientDir value);
    // Clamped to 1..255 before it is compared and stored.
    int Steps() const { return FSteps; }
    void SetSteps(int value);
    // Clamped to 0..100.
    TPercentRange PercentFilling() const { return FPercentFilling; }
    void SetPercentFilling(int value);
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle value);

    // From another TCustomGradient: the two colours through their setters, then the
    // six fields, then one more OnChanged. Other colour pairs assign their colours.
    void Assign(const TPersistent& source) override;

private:
    bool FActive = false;
    bool FBufferedDraw = false;
    TglGradientDir FOrientation = fgdHorizontal;
    int FSteps = MaxSteps;
    TPercentRange FPercentFilling = 100;
    TBrushStyle FBrushStyle = bsSolid;
};
