#pragma once

#include "ui/GraphicControl.h"
#include "ui/LabelTypes.h"

#include "gfx/Geometry.h"

#include <cstdint>
#include <string>

class TWinControl;

// A caption drawn on its parent's surface.
//
// - AutoSize (on by default) fits the width and height to the text (a right-justified label
//   keeps its right edge); with WordWrap the width stays and the text breaks at blanks.
// - Alignment places the text left, right or centred; Layout places it at the top, the middle
//   or the bottom of the label.
// - With ShowAccelChar, "&x" underlines x and makes x the accelerator that focuses
//   FocusControl; "&&" shows one "&".
// - A label that is not Transparent fills its rectangle with Color first; labels take their
//   parent's colour (ParentColor) unless given one.
// - A disabled label draws its text embossed in the button highlight and shadow colours.
// Derived labels draw in other styles by overriding DoDrawText.
class TCustomLabel : public TGraphicControl {
public:
    VELTRANE_CLASS_INFO

    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

    // Fits the bounds to the text when AutoSize is on (not while a form definition is read).
    void AdjustBounds();

protected:
    // The text that is drawn (the caption by default).
    virtual std::string GetLabelText() const { return Caption(); }
    // Draws the text into rect with DT_* flags, or measures it with DT_CALCRECT (rect then
    // receives the size). An empty caption, or a lone "&" with ShowAccelChar, is measured as a
    // blank so that an auto-sized label keeps the height of a line.
    virtual void DoDrawText(TRect& rect, std::uint32_t flags);

    void Paint() override;
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;
    bool DialogChar(char ch) override;
    void Notification(TComponent* component, TOperation operation) override;

    // The DT_* flags of the text: tabs expanded, alignment, word breaks.
    std::uint32_t DrawFlags() const;

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};
