#pragma once

// Controls: the visible components of a form.
//
// How the framework works (read this before writing a widget):
//
// - A form (TCustomForm) is one top-level window of the display and owns a 32-bit back buffer
//   (TBitmap) as large as its client area. Every control is drawn by the framework into that
//   buffer; there are no native child windows. Damaged parts of the buffer are copied onto the
//   window ("presented") after each event, timer tick or explicit Update.
// - Windowed controls (TWinControl, TCustomControl) can hold child controls, take the keyboard
//   focus and have a tab order; graphic controls (TGraphicControl) can do neither. Left and Top
//   are relative to the parent's top-left corner; the children are clipped to the parent.
// - Deriving: construct with the owner, set ControlStyle and the default size in the
//   constructor, publish properties in StaticClass() with MakeClass<TMine, TBase>(...) listing the
//   inherited published properties again where the class publishes them (see Control.cpp), and
//   register the class in a TClassRegistry so that form definitions can create it.
// - Painting: override Paint() and draw on Canvas(). During Paint the canvas has its origin at
//   the control's top-left corner, is clipped to the part being repainted, and has the control's
//   Font and a solid brush of its Color selected; what Paint changes in the canvas is undone
//   afterwards. A windowed control's background is filled with Color before Paint unless its
//   ControlStyle holds csOpaque; a graphic control's background is left as its parent drew it.
//   Controls are painted parent first, then the children in z-order (the order they were given
//   their parent), so that later ones cover earlier ones.
// - Canvas() may also be used outside Paint (from a mouse or key handler, say): drawing lands in
//   the back buffer at once, clipped to the control, and is presented after the current event.
// - Requesting repaint: Invalidate() marks the control's rectangle for repainting on the next pass
//   (after the current event), Update() runs the pending pass now, Repaint() does both at once
//   (the control's Paint has run when it returns). Validate() drops a pending repaint that lies
//   inside the control. Property setters compare, store, and Invalidate.
// - Mouse: MouseDown/MouseMove/MouseUp receive client coordinates of the control under the
//   pointer (or of the control that captured the mouse: SetMouseCapture, or automatically from a
//   press until all buttons are up when csCaptureMouse is in ControlStyle). MouseEnter/MouseLeave
//   tell when the pointer enters and leaves the control (the innermost control under it).
//   With csClickEvents a left press and release over the control runs Click() (raising OnClick).
//   A control that wants the focus on a click calls SetFocus() in its MouseDown.
// - Keys go to the form's focused windowed control: KeyDown (virtual key code, may be set to 0 to
//   consume it), KeyPress (only for keys that produce a character), KeyUp. Tab and Shift+Tab move
//   the focus; Enter and Escape that the focused control does not want (WantsKey) are offered to
//   every control of the form through DialogKey; characters typed with Alt, or that the focused
//   control does not want (WantsChars), are offered through DialogChar (accelerators) until one
//   control answers true. If the form has KeyPreview, the form sees keys first.
// - Focus: DoEnter/DoExit run when a windowed control becomes or stops being the form's active
//   control (raising OnEnter/OnExit); FocusIn/FocusOut run whenever it gains or loses the keyboard
//   focus, also when the form's window is activated or deactivated.
// - Change notices (EnabledChanged, VisibleChanged, FontChanged, ColorChanged, TextChanged,
//   ParentFontChanged, ParentColorChanged, Resized) are virtual methods that run after the change;
//   the defaults invalidate the control (the parent notices update ParentFont/ParentColor children).

#include "classes/Component.h"
#include "ui/Controls.h"
#include "ui/PersistentFont.h"

#include "gfx/Color.h"
#include "gfx/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>

class TBitmap;
class TCanvas;
class TCustomForm;
class TWinControl;

class TControl : public TComponent {
public:
    VELTRANE_CLASS_INFO

    explicit TControl(TComponent* owner);
    ~TControl() override;

    // --- parent and place ----------------------------------------------------
    TWinControl* Parent() const { return FParent; }
    // Inserts the control at the top of the new parent's children (null: no parent).
    virtual void SetParent(TWinControl* parent);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* parent) override;
    // The form this control stands on (itself for a form), or null.
    TCustomForm* ParentForm() const;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Moves and sizes the control (parent coordinates); negative sizes become 0.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
    // The client area in client coordinates: (0, 0, Width, Height) unless a class narrows it.
    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);

    // Client coordinates of this control to and from screen coordinates.
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // The control's top-left corner in its form's client coordinates.
    TPoint FormOrigin() const;
    // The part of the form's client area where the control can be seen (empty when hidden).
    TRect VisibleRectInForm() const;

    // --- state ----------------------------------------------------------------
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a form that is visible.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);
    // Enabled itself and every parent.
    bool EnabledInTree() const;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    const std::string& Text() const { return FCaption; }
    void SetText(const std::string& value) { SetCaption(value); }

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont& Font() { return FFont.Font(); }
    const TFont& Font() const { return FFont.Font(); }
    TPersistentFont* GetFont() const { return const_cast<TPersistentFont*>(&FFont); }
    void SetFont(TPersistentFont* value);
    void SetFont(const TFont& value) { FFont.Font().Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value) { FAlign = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    // The pointer is over this control (between MouseEnter and MouseLeave).
    bool MouseInControl() const { return FMouseInControl; }

    // --- painting ---------------------------------------------------------------
    // The canvas drawing into the form's back buffer, origin at the control, clipped to it.
    TCanvas& Canvas();
    void Invalidate();
    void Update();
    void Repaint();
    void Validate();

    // --- mouse and focus --------------------------------------------------------
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    virtual bool CanFocus() const { return false; }
    virtual bool Focused() const { return false; }

    // Runs the click step (OnClick by default).
    virtual void Click();

    // --- events -----------------------------------------------------------------
    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
    const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent handler) { FOnDblClick = std::move(handler); }
    const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent handler) { FOnMouseDown = std::move(handler); }
    const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(TMouseMoveEvent handler) { FOnMouseMove = std::move(handler); }
    const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(TMouseEvent handler) { FOnMouseUp = std::move(handler); }
    const TNotifyEvent& OnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseEnter(TNotifyEvent handler) { FOnMouseEnter = std::move(handler); }
    const TNotifyEvent& OnMouseLeave() const { return FOnMouseLeave; }
    void SetOnMouseLeave(TNotifyEvent handler) { FOnMouseLeave = std::move(handler); }
    const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(TKeyEvent handler) { FOnKeyDown = std::move(handler); }
    const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
    void SetOnKeyPress(TKeyPressEvent handler) { FOnKeyPress = std::move(handler); }
    const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(TKeyEvent handler) { FOnKeyUp = std::move(handler); }
    const TNotifyEvent& OnEnter() const { return FOnEnter; }
    void SetOnEnter(TNotifyEvent handler) { FOnEnter = std::move(handler); }
    const TNotifyEvent& OnExit() const { return FOnExit; }
    void SetOnExit(TNotifyEvent handler) { FOnExit = std::move(handler); }

    // --- entry points of the event dispatch (TCustomForm and TApplication call these) ----
    void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick);
    void DispatchMouseMove(TShiftState shift, int x, int y);
    void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DispatchMouseEnter();
    void DispatchMouseLeave();
    void DispatchKeyDown(std::uint16_t& key, TShiftState shift) { KeyDown(key, shift); }
    void DispatchKeyPress(char& key) { KeyPress(key); }
    void DispatchKeyUp(std::uint16_t& key, TShiftState shift) { KeyUp(key, shift); }
    bool DispatchDialogKey(std::uint16_t key, TShiftState shift) { return DialogKey(key, shift); }
    bool DispatchDialogChar(char ch) { return DialogChar(ch); }
    void DispatchEnter() { DoEnter(); }
    void DispatchExit() { DoExit(); }
    void DispatchFocusIn() { FocusIn(); }
    void DispatchFocusOut() { FocusOut(); }
    // Paints the control into its form's back buffer within clip (form coordinates): the
    // background (windowed controls without csOpaque) and Paint.
    void PaintInto(const TRect& clipInForm);
    // Whether the focused control handles this key itself (Tab, Enter, Escape, arrows) or the
    // characters it is typed; otherwise the form uses them (focus moves, dialog keys, accelerators).
    virtual bool WantsKey(std::uint16_t /*key*/, TShiftState /*shift*/) const { return false; }
    virtual bool WantsChars() const { return false; }

protected:
    virtual void Paint() {}
    // Fills the background before Paint (windowed controls fill Color unless csOpaque).
    virtual void EraseBackground() {}
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DblClick();
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void FocusIn() {}
    virtual void FocusOut() {}
    // Enter or Escape (and other unwanted keys) offered to every control of the form; true
    // stops the offer and consumes the key.
    virtual bool DialogKey(std::uint16_t /*key*/, TShiftState /*shift*/) { return false; }
    // A character offered as a possible accelerator; true marks it handled.
    virtual bool DialogChar(char /*ch*/) { return false; }

    virtual void EnabledChanged() { Invalidate(); }
    virtual void VisibleChanged() {}
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void Resized() {}
    void Loaded() override;

    // The control's rectangle in its form's client coordinates, ignoring clipping.
    TRect BoundsInForm() const;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FCaption;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TPersistentFont FFont;
    bool FParentFont = true;
    TCursor FCursor = crArrow;
    TAlign FAlign = alNone;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    bool FMouseInControl = false;

    TNotifyEvent FOnClick;
    TNotifyEvent FOnDblClick;
    TMouseEvent FOnMouseDown;
    TMouseMoveEvent FOnMouseMove;
    TMouseEvent FOnMouseUp;
    TNotifyEvent FOnMouseEnter;
    TNotifyEvent FOnMouseLeave;
    TKeyEvent FOnKeyDown;
    TKeyPressEvent FOnKeyPress;
    TKeyEvent FOnKeyUp;
    TNotifyEvent FOnEnter;
    TNotifyEvent FOnExit;

private:
    friend class TWinControl;
    friend class TCustomForm;

    void FontObjectChanged();
    void GeometryChanged(const TRect& oldInForm);
    void BindCanvas();

    bool FClicked = false;           // a left press with csClickEvents is waiting for its release
    bool FSettingParentFont = false; // font change from the parent: keep ParentFont
    std::unique_ptr<TCanvas> FCanvas;
    TBitmap* FCanvasTarget = nullptr;
    unsigned FCanvasEpoch = 0;
    std::unique_ptr<TBitmap> FOrphanBuffer; // canvas target while not on a form
};
