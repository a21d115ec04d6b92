#pragma once

#include "ui/GraphicControl.h"
#include "ui/Picture.h"

#include <cstdint>

enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

// A windowless push button. A left press while enabled puts it down and captures the mouse;
// while held it shows down when the pointer is over it and up when the pointer is off it; the
// left release puts it up and clicks it once when the pointer is over it. With a GroupIndex the
// button stays down (Down) until another button of the group on the same parent goes down, or,
// with AllowAllUp, until it is clicked again.
//
// The face is a push-button face, raised, or sunken while down; the glyph (Glyph, split into
// NumGlyphs images: up, disabled, clicked, down) is drawn with its bottom-left pixel's colour
// transparent, centred with the caption, and moved one pixel right and down while down. Flat
// buttons show their face only while the pointer is over them or they are down.
// OnMouseDown runs after the button's own press handling.
class TSpeedButton : public TGraphicControl {
public:
    VELTRANE_CLASS_INFO

    explicit TSpeedButton(TComponent* owner);

    TPicture* Glyph() const { return const_cast<TPicture*>(&FGlyph); }
    void SetGlyph(TPicture* value);
    // Sets the glyph from a bitmap (an empty one clears it).
    void SetGlyphBitmap(const TBitmap& bitmap) { FGlyph.SetBitmap(bitmap); }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    TButtonState State() const { return FState; }
    // A left press is being held (captured by the button).
    bool Dragging() const { return FDragging; }
    // The rectangle the glyph lands in (client coordinates), empty without glyph.
    TRect GlyphRect() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    bool DialogChar(char ch) override;

    // Whether the face is shown sunken.
    bool ShowsDown() const { return FState == bsDown || FState == bsExclusive || FDown; }

private:
    bool Inside(int x, int y) const { return x >= 0 && x < FWidth && y >= 0 && y < FHeight; }
    void UpdateExclusive();
    // The part of the glyph bitmap for the current state.
    TRect GlyphSource() const;

    TPicture FGlyph;
    int FNumGlyphs = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FFlat = false;
    int FSpacing = 4;
    TButtonState FState = bsUp;
    bool FDragging = false;
};
