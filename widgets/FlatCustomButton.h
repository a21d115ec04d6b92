#pragma once

#include "widgets/FlatButtonDraw.h"
#include "widgets/FlatButtonTypes.h"

#include "ui/ButtonControl.h"
#include "ui/Controls.h"

#include "gfx/Color.h"

#include <cstdint>
#include <functional>
#include <string>

class TObject;

// Raised before every drawing of a flat button. The handler recolours the control from
// its state flags; it leaves cont true to let the control draw now, or sets it false after
// changing a colour that needs a fresh paint (the control then repaints at once and asks
// again).
using TFlatPaintEvent = std::function<void(TObject* sender, bool& cont)>;

// A push button whose whole face is drawn by the control in flat colours: a fill, a one- or
// two-pixel frame, an optional image and the caption with its accelerator underlined. It has
// no pressed, hover or disabled look of its own: before every drawing it raises OnPaint, in
// which the owner turns MouseInside, MousePressed, KeyPressed, State and Enabled into colours.
//
// Repaints: every state change (pointer in or out, left press and release, space bar, focus
// in or out, enabled or caption changed, State, Glyph) draws the face at once through
// PaintButton, outside the framework's paint pass; the framework's own paint pass draws it too.
//
// Clicks: one on a left release over the control after a press on it, one at the release of
// any key while the space bar press is in progress, and one for Enter (Default) or Escape
// (Cancel) offered as dialog keys and for the caption's accelerator; each first gives the
// control the focus. A push button gives its form ModalResult and toggles State when
// GroupIndex is not 0; a radio button becomes checked and unchecks the radio buttons that
// share its parent.
class TFlatCustomButton : public TButtonControl {
public:
    VELTRANE_CLASS_INFO

    explicit TFlatCustomButton(TComponent* owner);
    ~TFlatCustomButton() override;

    virtual TFlatButtonKind ButtonKind() const { return fbkPushButton; }

    TColor MarkColor() const { return FMarkColor; }
    void SetMarkColor(TColor value) { FMarkColor = value; }
    TColor BlankColor() const { return FBlankColor; }
    void SetBlankColor(TColor value) { FBlankColor = value; }
    std::int32_t Spacing() const { return FSpacing; }
    void SetSpacing(std::int32_t value) { FSpacing = value; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value) { FLayout = value; }
    TFlatFocusStyle FocusStyle() const { return FFocusStyle; }
    void SetFocusStyle(TFlatFocusStyle value) { FFocusStyle = value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value) { FBorderColor = value; }
    std::int32_t GlyphIndex() const { return FGlyphIndex; }
    void SetGlyphIndex(std::int32_t value) { FGlyphIndex = value; }
    std::int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(std::int32_t value) { FGroupIndex = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    const std::string& CustomProperty() const { return FCustomProperty; }
    void SetCustomProperty(const std::string& value) { FCustomProperty = value; }

    // The image source: a framework image list, or a component that is also a
    // TFlatButtonImages (others draw no image).
    // Not owned; when it is destroyed the reference is dropped and the face repainted.
    TComponent* Glyph() const { return FGlyph; }
    void SetGlyph(TComponent* value);

    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    bool GetChecked() const override { return FState == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    bool MouseInside() const { return FMouseInside; }
    bool MousePressed() const { return FMousePressed; }
    bool KeyPressed() const { return FKeyPressed; }

    const TFlatPaintEvent& OnPaint() const { return FOnPaint; }
    void SetOnPaint(TFlatPaintEvent handler) { FOnPaint = std::move(handler); }

    // Raises OnPaint and draws the face (or repaints at once when the handler asks for it).
    void PaintButton();

    // The click operation: focus, check or modal result and toggle, then OnClick.
    void Click() override;

    // Nested repaints a handler may ask for before the face is drawn with the colours it has.
    static constexpr int MaxRepaintDepth = 8;

protected:
    void Paint() override;
    void Clicked() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void FocusIn() override;
    void FocusOut() override;
    bool DialogKey(std::uint16_t key, TShiftState shift) override;
    bool DialogChar(char ch) override;
    void EnabledChanged() override;
    void TextChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Drops the pending repaint of the control and repaints it at once.
    void RepaintButton();
    // Unchecks the other flat radio buttons of the same parent.
    void UncheckSiblings();

    TColor FMarkColor = clBlack;
    TColor FBlankColor = clWhite;
    std::int32_t FSpacing = 4;
    TButtonLayout FLayout = blGlyphLeft;
    TFlatFocusStyle FFocusStyle = ffsBorder;
    TComponent* FGlyph = nullptr;
    TColor FBorderColor = clBlack;
    std::int32_t FGlyphIndex = -1;
    TCheckBoxState FState = cbUnchecked;
    std::int32_t FGroupIndex = 0;
    bool FMouseInside = false;
    bool FMousePressed = false;
    bool FKeyPressed = false;
    TModalResult FModalResult = mrNone;
    bool FCancel = false;
    bool FDefault = false;
    bool FAutoSize = false;
    TFlatPaintEvent FOnPaint;
    std::string FCustomProperty;

private:
    void DrawFlatButton();
    // The four steps of a keyboard click: press flag on, paint, click, press flag off, paint.
    void KeyboardClick();

    bool FInPaintPass = false;
    int FRepaintDepth = 0;
};
