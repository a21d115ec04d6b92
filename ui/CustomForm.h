#pragma once

#include "ui/WinControl.h"

#include "gfx/Bitmap.h"
#include "platform/DisplayEvent.h"

#include <memory>
#include <string_view>

class TClassRegistry;

// A top-level window of the application's display. The form owns a 32-bit back buffer as
// large as its client area into which it and its controls are painted; damaged parts are
// presented onto the window after each event. Left and Top are screen coordinates; Width and
// Height are the client size (window-manager frames are not counted).
//
// Life: construct (a derived class reads its form definition with ReadFormResource in its
// constructor), then AfterConstruction() raises OnCreate; BeforeDestruction() raises OnDestroy.
// TApplication::CreateForm and the application's destructor do both. The window is created when
// the form is first shown or its Handle is asked for.
class TCustomForm : public TWinControl {
public:
    VELTRANE_CLASS_INFO

    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    void AfterConstruction();
    void BeforeDestruction();

    // --- the window -------------------------------------------------------------
    // The window, created on first use.
    TWindowId Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    TBitmap& BackBuffer() { return FBackBuffer; }

    void SetVisible(bool value) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetCaptionText(const std::string& value) { SetCaption(value); }
    // Shows the form modally: other forms take no input until ModalResult is set (by a button,
    // Close or code); answers it. The form is hidden again afterwards.
    TModalResult ShowModal();
    // Asks OnCloseQuery, then OnClose; the main form ends the application, a modal form gets
    // mrCancel, any other form is hidden (caHide) or released (caFree).
    void Close();
    // OnCloseQuery's answer (true without handler).
    virtual bool CloseQuery();
    bool Modal() const { return FModal; }
    bool Active() const { return FActive; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    // Moves the focus within the form (DoExit on the old control, DoEnter on the new one).
    void SetActiveControl(TWinControl* control);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value) { FBorderStyle = value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    // The window's icon (the window manager shows it in title bars and task lists); empty: none
    // given. Taken over by the window when it is created, and at once when it exists.
    const TBitmap& Icon() const { return FIcon; }
    void SetIcon(const TBitmap& icon);

    // --- painting ---------------------------------------------------------------
    // Adds rect (client coordinates) to the part waiting to be repainted.
    void InvalidateRect(const TRect& rect);
    // Drops a waiting repaint when it lies inside rect.
    void ValidateRect(const TRect& rect);
    // Notes that rect of the back buffer was drawn outside a paint pass and must be presented.
    void NotePresent(const TRect& rect);
    // Repaints what is waiting and presents the damaged part onto the window.
    void UpdateWindow();
    bool HasPendingPaint() const { return !FInvalid.IsEmpty() || !FPresent.IsEmpty(); }
    // Counts changes of geometry below the form; canvases re-place themselves when it moves.
    unsigned GeometryEpoch() const { return FGeometryEpoch; }
    void GeometryChangedBelow() { ++FGeometryEpoch; }

    // --- input --------------------------------------------------------------------
    // Handles one event of the form's window (the application routes them here).
    void HandleEvent(const TDisplayEvent& event);
    TControl* CaptureControl() const { return FCaptureControl; }
    void SetCaptureControl(TControl* control);
    // The control the pointer is over, and the control the left button was pressed on (until
    // released).
    TControl* MouseControl() const { return FMouseControl; }
    TControl* MouseDownControl() const { return FMouseDownControl; }
    // A control of this form is going away: forget every reference to it.
    void ControlRemoved(TControl& control);

    // --- events -------------------------------------------------------------------
    const TNotifyEvent& OnCreate() const { return FOnCreate; }
    void SetOnCreate(TNotifyEvent h) { FOnCreate = std::move(h); }
    const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
    void SetOnDestroy(TNotifyEvent h) { FOnDestroy = std::move(h); }
    const TNotifyEvent& OnActivate() const { return FOnActivate; }
    void SetOnActivate(TNotifyEvent h) { FOnActivate = std::move(h); }
    const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(TNotifyEvent h) { FOnDeactivate = std::move(h); }
    const TNotifyEvent& OnShow() const { return FOnShow; }
    void SetOnShow(TNotifyEvent h) { FOnShow = std::move(h); }
    const TNotifyEvent& OnHide() const { return FOnHide; }
    void SetOnHide(TNotifyEvent h) { FOnHide = std::move(h); }
    const TNotifyEvent& OnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent h) { FOnPaint = std::move(h); }
    const TNotifyEvent& OnResize() const { return FOnResize; }
    void SetOnResize(TNotifyEvent h) { FOnResize = std::move(h); }
    const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
    void SetOnCloseQuery(TCloseQueryEvent h) { FOnCloseQuery = std::move(h); }
    const TCloseEvent& OnClose() const { return FOnClose; }
    void SetOnClose(TCloseEvent h) { FOnClose = std::move(h); }

protected:
    // Reads the form definition stored as RCDATA resource name into this form, creating the
    // components from classes (the standard classes are added to it).
    void ReadFormResource(std::string_view name, const TClassRegistry& classes);
    // Reads a form definition text (for tests and tools); sourceName appears in errors.
    void ReadFormText(std::string_view text, const TClassRegistry& classes, std::string_view sourceName);

    void Paint() override;
    void EraseBackground() override;
    void TextChanged() override;
    void Resized() override;
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoShow();
    virtual void DoHide();

    TNotifyEvent FOnCreate;
    TNotifyEvent FOnDestroy;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
    TNotifyEvent FOnShow;
    TNotifyEvent FOnHide;
    TNotifyEvent FOnPaint;
    TNotifyEvent FOnResize;
    TCloseQueryEvent FOnCloseQuery;
    TCloseEvent FOnClose;

    TBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    // Stored by form definitions and otherwise unused.
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    bool FOldCreateOrder = false;
    bool FScaled = true;

private:
    friend class TApplication;

    void CreateHandle();
    void DestroyHandle();
    void PlaceWindow();
    void PresentRect(const TRect& rect);
    void ShowWindowNow();
    void HideWindowNow();
    void RouteMouse(const TDisplayEvent& event);
    void RouteKeyDown(const TDisplayEvent& event);
    void RouteKeyUp(const TDisplayEvent& event);
    void UpdateMouseControl(TControl* now);
    void SyncMouseInside();
    TControl* KeyTarget();
    bool OfferDialogKey(TWinControl& parent, std::uint16_t key, TShiftState shift);
    bool OfferDialogChar(TWinControl& parent, char ch);
    void WindowFocusIn();
    void WindowFocusOut();

    void ApplyIcon();

    TWindowId FHandle = 0;
    TBitmap FBackBuffer;
    TBitmap FIcon;
    TRect FInvalid;
    TRect FPresent;
    unsigned FGeometryEpoch = 1;
    bool FCreated = false;
    bool FDestroyed = false;
    bool FActive = false;
    bool FModal = false;
    bool FAwaitingExpose = false; // shown, but the window has not been exposed yet
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TControl* FCaptureControl = nullptr;
    TControl* FMouseControl = nullptr;
    TControl* FMouseDownControl = nullptr;
    TControl* FEntered = nullptr; // the control told MouseEnter last
    TShiftState FButtons = 0;
};

// The form a control stands on, or null.
TCustomForm* GetParentForm(const TControl& control);
