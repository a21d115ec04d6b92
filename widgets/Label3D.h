#pragma once

#include "widgets/Label3DDraw.h"
#include "widgets/Label3DTypes.h"

#include "ui/CustomLabel.h"

#include "gfx/Pen.h"

#include <cstdint>
#include <string>

class TClassRegistry;

// A windowless label that draws its caption with a 3-D effect: a one-pixel shadow or
// highlight behind the text (raised, recessed) or a shadow moved by Shift, text turned by
// Escapement degrees, an optional border (a rectangle in the border pen, or a raised or
// recessed bevel), end or path ellipses, and two link styles that underline and recolour
// the text while the pointer is over it and open Address (a web address, or an e-mail
// address as "mailto:") when clicked.
//
// The label base sizes it to its caption (AutoSize, measured through DrawCaption), aligns
// it (Alignment, and Layout for unrotated text), wraps words, shows accelerators and fills
// the background unless Transparent; the label draws its caption and paints itself.
//
// The border setters and Shift paint the label at once, over what is there; the other
// setters request a repaint.
class TLabel3D : public TCustomLabel {
public:
    VELTRANE_CLASS_INFO

    explicit TLabel3D(TComponent* owner);

    // --- the label's own properties --------------------------------------------------
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TPenStyle BorderPenStyle() const { return FBorderPenStyle; }
    void SetBorderPenStyle(TPenStyle value);
    std::int32_t BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(std::int32_t value);
    bool Border() const { return FBorder; }
    void SetBorder(bool value);
    TBorderType BorderType() const { return FBorderType; }
    void SetBorderType(TBorderType value);
    std::int32_t Escapement() const { return FEscapement; }
    void SetEscapement(std::int32_t value);
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle value);
    TLabelStyle LabelStyle() const { return FLabelStyle; }
    void SetLabelStyle(TLabelStyle value);
    const std::string& Address() const { return FAddress; }
    void SetAddress(const std::string& value) { FAddress = value; }
    TEllipsesStyle EllipsesStyle() const { return FEllipsesStyle; }
    void SetEllipsesStyle(TEllipsesStyle value);
    std::int32_t Shift() const { return FShift; }
    void SetShift(std::int32_t value);

    TColor ShadowColor() const { return FShadowColor; }
    TColor HighlightColor() const { return FHighlightColor; }
    TColor HoverColor() const { return FHoverColor; }
    // The pen the border is drawn with (the border setters write it; a bevel leaves its colour).
    const TPen& BorderPen() const { return FCanvasPen; }

    const TNotifyEvent& OnMouseExit() const { return FOnMouseExit; }
    void SetOnMouseExit(TNotifyEvent handler) { FOnMouseExit = std::move(handler); }

    // Draws (or with DT_CALCRECT measures) the caption in its passes into rect.
    void DrawCaption(TRect& rect, std::uint32_t flags);
    // One pass of rotated text into rect on canvas.
    void DrawRotatedText(TCanvas& canvas, TRect rect, const std::string& text, int angle);
    // Moves rect's top-left corner to where text turned by angle starts, and sizes the
    // label to the turned text (AutoSize) or aligns it within the label.
    void PlaceRotatedText(TRect& rect, int angle, const std::string& text);

    // Opens the link (link styles with an address), then raises OnClick.
    void Click() override;

protected:
    void DoDrawText(TRect& rect, std::uint32_t flags) override { DrawCaption(rect, flags); }
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    // The paint operation on a given canvas (the paint pass's, or the control's at once).
    void PaintOn(TCanvas& canvas);
    void PaintNow();
    TLabel3DCaption CaptionLook() const;

    std::int32_t FEscapement = 0;
    TTextStyle FTextStyle = tsRaised;
    TLabelStyle FLabelStyle = lsDefault;
    TColor FShadowColor = clBtnShadow;
    TColor FHighlightColor = clBtnHighlight;
    TColor FHoverColor = clRed;
    TColor FSavedFontColor = clBlack;
    std::string FAddress;
    TColor FBorderColor = clRed;
    std::int32_t FBorderWidth = 1;
    TPenStyle FBorderPenStyle = psSolid;
    TBorderType FBorderType = btDefault;
    bool FBorder = false;
    TEllipsesStyle FEllipsesStyle = esNone;
    std::int32_t FShift = 1;
    TNotifyEvent FOnMouseExit;

    TPen FCanvasPen;             // the pen of the label's own canvas, kept between paints
    TCanvas* FDrawing = nullptr; // the canvas DrawCaption draws on (the control's when none)
};

// Adds TLabel3D to the classes form definitions may name.
void RegisterLabel3D(TClassRegistry& classes);
