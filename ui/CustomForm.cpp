#include "ui/CustomForm.h"

#include "classes/ClassRegistry.h"
#include "classes/Errors.h"
#include "classes/FormReader.h"
#include "classes/Published.h"
#include "ui/Application.h"

#include "gfx/Canvas.h"
#include "platform/ScopeGuard.h"

#include <algorithm>

namespace {

bool Inside(const TRect& inner, const TRect& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

TApplication& RequireApplication()
{
    TApplication* app = Application();
    if (!app)
        throw EInvalidOperation("No application object: a form needs a display");
    return *app;
}

void PaintTree(TControl& control, const TRect& clip, bool isRoot)
{
    if (!isRoot && !control.Visible())
        return;
    const TPoint o = control.FormOrigin();
    const TRect r = Bounds(o.X, o.Y, control.Width(), control.Height()).Intersect(clip);
    if (r.IsEmpty())
        return;
    control.PaintInto(r);
    if (auto* win = dynamic_cast<TWinControl*>(&control)) {
        std::vector<TControl*> children;
        for (int i = 0; i < win->ControlCount(); ++i)
            children.push_back(win->Controls(i));
        const TRect inner = win->ChildClipRect();
        const TRect childClip =
            r.Intersect(Rect(o.X + inner.Left, o.Y + inner.Top, o.X + inner.Right, o.Y + inner.Bottom));
        if (childClip.IsEmpty())
            return;
        for (TControl* child : children)
            if (win->ContainsControl(child))
                PaintTree(*child, childClip, false);
    }
}

TShiftState ButtonFlag(TMouseButton button)
{
    switch (button) {
    case mbLeft:
        return ssLeft;
    case mbRight:
        return ssRight;
    case mbMiddle:
        return ssMiddle;
    default:
        return 0;
    }
}

} // namespace

TCustomForm* GetParentForm(const TControl& control)
{
    return control.ParentForm();
}

const TClassInfo& TCustomForm::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomForm, TWinControl>("TCustomForm", {});
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), FBackBuffer(1, 1, TPixelFormat::pf32bit)
{
    FVisible = false;
    FColor = clBtnFace;
    FParentFont = false;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 320;
    FHeight = 240;
    FBackBuffer.SetSize(FWidth, FHeight);
}

TCustomForm::~TCustomForm()
{
    FDestroyed = true;
    if (TApplication* app = Application()) {
        app->RemoveForm(*this);
        if (FHandle) {
            if (app->ModalForm() == this)
                app->PopModal();
            app->Display().DestroyWindow(FHandle);
        }
    }
    FHandle = 0;
    FActiveControl = nullptr;
    FCaptureControl = nullptr;
    FMouseControl = nullptr;
    FMouseDownControl = nullptr;
}

void TCustomForm::AfterConstruction()
{
    if (FCreated)
        return;
    FCreated = true;
    if (FOnCreate)
        FOnCreate(this);
}

void TCustomForm::BeforeDestruction()
{
    if (!FCreated || FDestroyed)
        return;
    FDestroyed = true;
    if (FOnDestroy)
        FOnDestroy(this);
}

void TCustomForm::ReadFormResource(std::string_view name, const TClassRegistry& classes)
{
    TFormReader::ReadResource(*this, name, classes);
}

void TCustomForm::ReadFormText(std::string_view text, const TClassRegistry& classes, std::string_view sourceName)
{
    TFormReader reader(classes, std::string(sourceName));
    reader.Read(*this, text);
}

// --- window -------------------------------------------------------------------------------

TWindowId TCustomForm::Handle()
{
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TCustomForm::CreateHandle()
{
    TApplication& app = RequireApplication();
    PlaceWindow();
    TWindowParams params;
    params.Caption = FCaption;
    params.Left = FLeft;
    params.Top = FTop;
    params.Width = std::max(FWidth, 1);
    params.Height = std::max(FHeight, 1);
    params.Style = FBorderStyle == bsNone                                        ? wsFullScreen
                   : FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin ? wsNormal
                                                                                 : wsDialog;
    params.TopMost = FFormStyle == fsStayOnTop;
    FHandle = app.Display().CreateWindow(params);
    app.AddForm(*this);
    ApplyIcon();
    InvalidateRect(ClientRect());
}

void TCustomForm::SetIcon(const TBitmap& icon)
{
    FIcon.Assign(icon);
    ApplyIcon();
}

void TCustomForm::ApplyIcon()
{
    TApplication* app = Application();
    if (!FHandle || !app || FIcon.Empty())
        return;
    app->Display().SetIcon(FHandle, FIcon.PixelView());
}

void TCustomForm::DestroyHandle()
{
    if (!FHandle)
        return;
    if (TApplication* app = Application())
        app->Display().DestroyWindow(FHandle);
    FHandle = 0;
}

void TCustomForm::PlaceWindow()
{
    if (FPosition != poScreenCenter && FPosition != poDesktopCenter && FPosition != poMainFormCenter &&
        FPosition != poOwnerFormCenter)
        return;
    TApplication& app = RequireApplication();
    TWindowRect area = app.Display().PrimaryMonitorRect();
    if (FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
        TCustomForm* main = app.MainForm();
        if (main && main != this && main->HandleAllocated() && main->Visible())
            area = TWindowRect{main->Left(), main->Top(), main->Left() + main->Width(), main->Top() + main->Height()};
    }
    FLeft = area.Left + (area.Width() - FWidth) / 2;
    FTop = area.Top + (area.Height() - FHeight) / 2;
}

void TCustomForm::SetVisible(bool value)
{
    if (ComponentState().Contains(csLoading)) {
        FVisible = value;
        return;
    }
    if (value == FVisible)
        return;
    if (value)
        ShowWindowNow();
    else
        HideWindowNow();
}

void TCustomForm::ShowWindowNow()
{
    TApplication& app = RequireApplication();
    DoShow();
    if (!FHandle)
        CreateHandle();
    else if (FPosition == poScreenCenter || FPosition == poDesktopCenter) {
        PlaceWindow();
        app.Display().SetWindowBounds(FHandle, TWindowRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight});
    }
    FVisible = true;
    GeometryChangedBelow();
    // Painting waits for the window's first exposure: what is presented before it is mapped is lost.
    FAwaitingExpose = true;
    app.Display().ShowWindow(FHandle, true);
    if (FFormStyle == fsStayOnTop)
        app.Display().SetTopMost(FHandle, true);
    app.Display().SetFocus(FHandle);
    InvalidateRect(ClientRect());
    // The focus goes to the active control (as a form definition may name it) or the first tab stop.
    TWinControl* wanted = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : nullptr;
    FActiveControl = nullptr;
    if (!wanted)
        wanted = FindNextControl(nullptr, true, true, false);
    if (wanted)
        SetActiveControl(wanted);
    Activate();
}

void TCustomForm::HideWindowNow()
{
    FVisible = false;
    GeometryChangedBelow();
    if (FHandle)
        if (TApplication* app = Application())
            app->Display().ShowWindow(FHandle, false);
    if (FActive)
        Deactivate();
    DoHide();
}

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
    if (FHandle)
        if (TApplication* app = Application())
            app->Display().SetWindowBounds(FHandle, TWindowRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight});
}

void TCustomForm::Resized()
{
    FBackBuffer.SetSize(std::max(FWidth, 1), std::max(FHeight, 1));
    GeometryChangedBelow();
    InvalidateRect(ClientRect());
    if (FOnResize && !ComponentState().Contains(csLoading))
        FOnResize(this);
}

void TCustomForm::TextChanged()
{
    if (FHandle)
        if (TApplication* app = Application())
            app->Display().SetCaption(FHandle, FCaption);
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == FFormStyle)
        return;
    FFormStyle = value;
    if (FHandle)
        if (TApplication* app = Application())
            app->Display().SetTopMost(FHandle, value == fsStayOnTop);
}

TModalResult TCustomForm::ShowModal()
{
    TApplication& app = RequireApplication();
    if (FVisible || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    TCustomForm* previous = nullptr;
    for (TCustomForm* form : app.Forms())
        if (form != this && form->Active())
            previous = form;
    FModal = true;
    FModalResult = mrNone;
    app.PushModal(*this);
    {
        const TScopeGuard popModal([this, &app] {
            app.PopModal();
            FModal = false;
        });
        Show();
        while (FModalResult == mrNone) {
            if (app.Terminated()) {
                FModalResult = mrCancel;
                break;
            }
            app.HandleMessage();
        }
    }
    Hide();
    // The form that was active before gets the focus back, as after a platform dialog.
    const auto& forms = app.Forms();
    if (previous && std::find(forms.begin(), forms.end(), previous) != forms.end() && previous->Visible() &&
        previous->HandleAllocated())
        app.Display().SetFocus(previous->Handle());
    return FModalResult;
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (FOnCloseQuery)
        FOnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FModal) {
        if (CloseQuery())
            FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    if (FOnClose)
        FOnClose(this, action);
    if (action == caNone || action == caMinimize)
        return;
    TApplication* app = Application();
    if (app && app->MainForm() == this) {
        app->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (app) {
        Hide();
        app->ReleaseForm(*this);
    }
}

void TCustomForm::Activate()
{
    if (FActive)
        return;
    FActive = true;
    if (FOnActivate)
        FOnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (!FActive)
        return;
    FActive = false;
    if (FOnDeactivate)
        FOnDeactivate(this);
}

void TCustomForm::DoShow()
{
    if (FOnShow)
        FOnShow(this);
}

void TCustomForm::DoHide()
{
    if (FOnHide)
        FOnHide(this);
}

// --- focus --------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == FActiveControl)
        return;
    if (control && (control == this || !ContainsControl(control)))
        control = nullptr;
    if (ComponentState().Contains(csLoading)) {
        FActiveControl = control; // a form definition names it; the focus moves when the form shows
        return;
    }
    if (control && !control->CanFocus() && !ComponentState().Contains(csLoading))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TWinControl* old = FActiveControl;
    FActiveControl = control;
    if (old)
        old->DispatchFocusOut();
    if (control && FActiveControl == control)
        control->DispatchFocusIn();
    if (old && FActiveControl == control)
        old->DispatchExit();
    if (control && FActiveControl == control)
        control->DispatchEnter();
    if (FHandle && FVisible && !FActive)
        if (TApplication* app = Application())
            app->Display().SetFocus(FHandle);
}

void TCustomForm::WindowFocusIn()
{
    if (FActive)
        return;
    Activate();
    if (FActiveControl)
        FActiveControl->DispatchFocusIn();
}

void TCustomForm::WindowFocusOut()
{
    if (!FActive)
        return;
    if (FActiveControl)
        FActiveControl->DispatchFocusOut();
    Deactivate();
}

void TCustomForm::ControlRemoved(TControl& control)
{
    auto gone = [&](TControl* p) {
        if (!p)
            return false;
        if (p == &control)
            return true;
        for (TControl* c = p->Parent(); c; c = c->Parent())
            if (c == &control)
                return true;
        return false;
    };
    if (gone(FActiveControl))
        FActiveControl = nullptr;
    if (gone(FCaptureControl))
        FCaptureControl = nullptr;
    if (gone(FMouseControl))
        FMouseControl = nullptr;
    if (gone(FMouseDownControl))
        FMouseDownControl = nullptr;
    if (gone(FEntered)) {
        if (FEntered)
            FEntered->FMouseInControl = false;
        FEntered = nullptr;
    }
}

// --- painting -----------------------------------------------------------------------------

void TCustomForm::InvalidateRect(const TRect& rect)
{
    const TRect r = rect.Intersect(ClientRect());
    if (!r.IsEmpty())
        FInvalid = FInvalid.Union(r);
}

void TCustomForm::ValidateRect(const TRect& rect)
{
    if (!FInvalid.IsEmpty() && Inside(FInvalid, rect))
        FInvalid = TRect{};
}

void TCustomForm::NotePresent(const TRect& rect)
{
    const TRect r = rect.Intersect(ClientRect());
    if (!r.IsEmpty())
        FPresent = FPresent.Union(r);
}

void TCustomForm::EraseBackground()
{
    TCanvas& canvas = *FCanvas;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FColor);
    canvas.FillRect(ClientRect());
}

void TCustomForm::Paint() {}

void TCustomForm::UpdateWindow()
{
    if (!FHandle || !FVisible || FAwaitingExpose)
        return;
    const TRect dirty = FInvalid;
    FInvalid = TRect{};
    if (!dirty.IsEmpty()) {
        PaintTree(*this, dirty, true);
        FPresent = FPresent.Union(dirty);
        const TRect present = FPresent;
        FPresent = TRect{};
        PresentRect(present);
        // OnPaint runs after the background and the controls are on the window, so that what it
        // draws straight onto the window is not covered again; what it draws on Canvas is presented
        // below.
        if (FOnPaint) {
            TCanvas& canvas = Canvas();
            FPresent = TRect{};
            TCanvasState state(canvas);
            canvas.SetOrigin(TPoint{});
            canvas.SetClipRect(dirty);
            canvas.SetFont(Font());
            canvas.Brush().SetColor(FColor);
            canvas.Brush().SetStyle(bsSolid);
            FOnPaint(this);
        }
    }
    if (!FPresent.IsEmpty()) {
        const TRect present = FPresent;
        FPresent = TRect{};
        PresentRect(present);
    }
}

void TCustomForm::PresentRect(const TRect& rect)
{
    TApplication* app = Application();
    if (!app || !FHandle)
        return;
    const TRect r = rect.Intersect(Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height()));
    if (r.IsEmpty())
        return;
    app->Display().PresentBits(FHandle, r.Left, r.Top, FBackBuffer.PixelView(),
                               TWindowRect{r.Left, r.Top, r.Right, r.Bottom});
}

// --- input --------------------------------------------------------------------------------

void TCustomForm::SetCaptureControl(TControl* control)
{
    FCaptureControl = control;
    SyncMouseInside();
}

void TCustomForm::SyncMouseInside()
{
    TControl* wanted = (!FCaptureControl || FMouseControl == FCaptureControl) ? FMouseControl : nullptr;
    if (wanted == FEntered)
        return;
    TControl* old = FEntered;
    FEntered = wanted;
    if (old)
        old->DispatchMouseLeave();
    if (wanted && FEntered == wanted)
        wanted->DispatchMouseEnter();
}

void TCustomForm::UpdateMouseControl(TControl* now)
{
    if (now != FMouseControl) {
        FMouseControl = now;
        if (FHandle)
            if (TApplication* app = Application())
                app->Display().SetCursor(FHandle, now ? now->Cursor() : crArrow);
    }
    SyncMouseInside();
}

void TCustomForm::HandleEvent(const TDisplayEvent& event)
{
    switch (event.Kind) {
    case deMapped:
        FAwaitingExpose = false;
        break;
    case dePaint:
        FAwaitingExpose = false;
        InvalidateRect(Rect(event.Rect.Left, event.Rect.Top, event.Rect.Right, event.Rect.Bottom));
        break;
    case deConfigure: {
        const TRect r = Rect(event.Rect.Left, event.Rect.Top, event.Rect.Right, event.Rect.Bottom);
        const bool resized = r.Width() != FWidth || r.Height() != FHeight;
        FLeft = r.Left;
        FTop = r.Top;
        if (resized && r.Width() > 0 && r.Height() > 0) {
            FWidth = r.Width();
            FHeight = r.Height();
            Resized();
        }
        break;
    }
    case deKeyDown:
        RouteKeyDown(event);
        break;
    case deKeyUp:
        RouteKeyUp(event);
        break;
    case deMouseMove:
    case deButtonDown:
    case deButtonUp:
    case deMouseEnter:
    case deMouseLeave:
        RouteMouse(event);
        break;
    case deFocusIn:
        WindowFocusIn();
        break;
    case deFocusOut:
        WindowFocusOut();
        break;
    case deClose:
        Close();
        break;
    case deDestroyed: {
        FHandle = 0;
        FVisible = false;
        TApplication* app = Application();
        if (app && app->MainForm() == this)
            app->Terminate();
        break;
    }
    default:
        break;
    }
}

void TCustomForm::RouteMouse(const TDisplayEvent& event)
{
    const TPoint p{event.X, event.Y};
    if (event.Kind == deMouseLeave) {
        UpdateMouseControl(nullptr);
        return;
    }
    if (event.Button == mbWheelUp || event.Button == mbWheelDown) {
        if (event.Kind != deMouseMove)
            return;
    }
    UpdateMouseControl(FindControlAt(p));
    if (event.Kind == deMouseEnter)
        return;
    TControl* target = FCaptureControl ? FCaptureControl : FMouseControl;
    if (!target)
        target = this;
    const TPoint o = target->FormOrigin();
    const int x = p.X - o.X;
    const int y = p.Y - o.Y;
    if (event.Kind == deMouseMove) {
        target->DispatchMouseMove(event.Shift, x, y);
    } else if (event.Kind == deButtonDown) {
        FButtons |= ButtonFlag(event.Button);
        if (event.Button == mbLeft)
            FMouseDownControl = target;
        target->DispatchMouseDown(event.Button, event.Shift | ButtonFlag(event.Button), x, y, event.DoubleClick);
    } else if (event.Kind == deButtonUp) {
        FButtons &= ~ButtonFlag(event.Button);
        if (event.Button == mbLeft)
            FMouseDownControl = nullptr;
        target->DispatchMouseUp(event.Button, event.Shift & ~ButtonFlag(event.Button), x, y);
        UpdateMouseControl(FindControlAt(p));
    }
}

TControl* TCustomForm::KeyTarget()
{
    if (FActiveControl && FActiveControl->CanFocus())
        return FActiveControl;
    return this;
}

bool TCustomForm::OfferDialogKey(TWinControl& parent, std::uint16_t key, TShiftState shift)
{
    std::vector<TControl*> children;
    for (int i = 0; i < parent.ControlCount(); ++i)
        children.push_back(parent.Controls(i));
    for (TControl* child : children) {
        if (!parent.ContainsControl(child))
            continue;
        if (child->DispatchDialogKey(key, shift))
            return true;
        if (auto* win = dynamic_cast<TWinControl*>(child); win && parent.ContainsControl(child))
            if (OfferDialogKey(*win, key, shift))
                return true;
    }
    return false;
}

bool TCustomForm::OfferDialogChar(TWinControl& parent, char ch)
{
    std::vector<TControl*> children;
    for (int i = 0; i < parent.ControlCount(); ++i)
        children.push_back(parent.Controls(i));
    for (TControl* child : children) {
        if (!parent.ContainsControl(child))
            continue;
        if (child->DispatchDialogChar(ch))
            return true;
        if (auto* win = dynamic_cast<TWinControl*>(child); win && parent.ContainsControl(child))
            if (OfferDialogChar(*win, ch))
                return true;
    }
    return false;
}

void TCustomForm::RouteKeyDown(const TDisplayEvent& event)
{
    std::uint16_t key = event.Key;
    const TShiftState shift = event.Shift;
    TControl* target = KeyTarget();
    if (FKeyPreview && target != this) {
        KeyDown(key, shift);
        if (key == 0)
            return;
        target = KeyTarget();
    }
    target->DispatchKeyDown(key, shift);
    if (key == 0)
        return;
    target = KeyTarget();
    if (!target->WantsKey(key, shift)) {
        const bool plain = (shift & (ssAlt | ssCtrl)) == 0;
        if (key == vkTab && plain) {
            if (SelectNext(FActiveControl, (shift & ssShift) == 0, true))
                return;
        } else if ((key == vkReturn || key == vkEscape) && (shift & ssAlt) == 0) {
            if (OfferDialogKey(*this, key, shift))
                return;
        } else if ((key == vkLeft || key == vkUp || key == vkRight || key == vkDown) && plain && FActiveControl) {
            if (TWinControl* parent = FActiveControl->Parent()) {
                TWinControl* next =
                    parent->FindNextControl(FActiveControl, key == vkRight || key == vkDown, false, true);
                if (next) {
                    next->SetFocus();
                    return;
                }
            }
        }
    }
    if (event.Char == 0)
        return;
    char ch = static_cast<char>(event.Char);
    if (shift & ssAlt) {
        OfferDialogChar(*this, ch);
        return;
    }
    if (FKeyPreview && target != this) {
        KeyPress(ch);
        if (ch == 0)
            return;
        target = KeyTarget();
    }
    target->DispatchKeyPress(ch);
    if (ch == 0)
        return;
    target = KeyTarget();
    if (!target->WantsChars() || target == this)
        OfferDialogChar(*this, ch);
}

void TCustomForm::RouteKeyUp(const TDisplayEvent& event)
{
    std::uint16_t key = event.Key;
    TControl* target = KeyTarget();
    if (FKeyPreview && target != this) {
        KeyUp(key, event.Shift);
        if (key == 0)
            return;
        target = KeyTarget();
    }
    target->DispatchKeyUp(key, event.Shift);
}
