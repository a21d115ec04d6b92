#include "ui/Control.h"

#include "classes/Errors.h"
#include "classes/Published.h"
#include "ui/Application.h"
#include "ui/ColorIdents.h"
#include "ui/CustomForm.h"
#include "ui/WinControl.h"

#include "gfx/Canvas.h"
#include "platform/ScopeGuard.h"

#include <algorithm>
#include <climits>

namespace {

// Sums of coordinates saturate at the int range, so controls placed far out do not wrap around.
int Saturated(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

const TClassInfo& TControl::StaticClass()
{
    using T = TControl;
    static const TClassInfo info = MakeClass<T, TComponent>(
        "TControl", {
                        Published<T>("Left", &T::Left, &T::SetLeft),
                        Published<T>("Top", &T::Top, &T::SetTop),
                        Published<T>("Width", &T::Width, &T::SetWidth),
                        Published<T>("Height", &T::Height, &T::SetHeight),
                        Published<T>("Align", &T::Align, &T::SetAlign).Default(alNone),
                        Published<T>("Caption", &T::Caption, &T::SetCaption),
                        Published<T>("Color", &T::Color, &T::SetColor).Idents(ColorIdentToInt),
                        Published<T>("ParentColor", &T::ParentColor, &T::SetParentColor),
                        Published<T>("Font", &T::GetFont, static_cast<void (T::*)(TPersistentFont*)>(&T::SetFont)),
                        Published<T>("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true),
                        Published<T>("Cursor", &T::Cursor, &T::SetCursor).Default(crArrow),
                        Published<T>("Hint", &T::Hint, &T::SetHint),
                        Published<T>("ShowHint", &T::FShowHint, &T::FShowHint).Default(false),
                        Published<T>("ParentShowHint", &T::FParentShowHint, &T::FParentShowHint).Default(true),
                        Published<T>("Visible", &T::Visible, &T::SetVisible).Default(true),
                        Published<T>("Enabled", &T::Enabled, &T::SetEnabled).Default(true),
                        Published<T>("OnClick", &T::FOnClick, &T::FOnClick),
                        Published<T>("OnDblClick", &T::FOnDblClick, &T::FOnDblClick),
                        Published<T>("OnMouseDown", &T::FOnMouseDown, &T::FOnMouseDown),
                        Published<T>("OnMouseMove", &T::FOnMouseMove, &T::FOnMouseMove),
                        Published<T>("OnMouseUp", &T::FOnMouseUp, &T::FOnMouseUp),
                        Published<T>("OnMouseEnter", &T::FOnMouseEnter, &T::FOnMouseEnter),
                        Published<T>("OnMouseLeave", &T::FOnMouseLeave, &T::FOnMouseLeave),
                    });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    FFont.Font().SetOnChange([this] { FontObjectChanged(); });
}

TControl::~TControl()
{
    if (TCustomForm* form = ParentForm(); form && form != this)
        form->ControlRemoved(*this);
    if (FParent)
        FParent->DropControl(*this);
    FParent = nullptr;
}

// --- parent ---------------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this)
        throw EComponentError("A control cannot have itself as its parent");
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this)
            throw EComponentError("A control cannot have itself as its parent");
    if (FParent) {
        Invalidate();
        if (TCustomForm* form = ParentForm())
            form->ControlRemoved(*this);
        FParent->DropControl(*this);
        FParent = nullptr;
    }
    if (parent) {
        parent->AddControl(*this);
        FParent = parent;
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        if (TCustomForm* form = ParentForm())
            form->GeometryChangedBelow();
        Invalidate();
    }
}

TComponent* TControl::GetParentComponent() const
{
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* control = dynamic_cast<TWinControl*>(parent))
        SetParent(control);
}

TCustomForm* TControl::ParentForm() const
{
    const TControl* top = this;
    while (top->FParent)
        top = top->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

// --- geometry --------------------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    const TRect old = VisibleRectInForm();
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    GeometryChanged(old);
    if (resized)
        Resized();
}

void TControl::GeometryChanged(const TRect& oldInForm)
{
    if (TCustomForm* form = ParentForm()) {
        form->GeometryChangedBelow();
        if (form != this) {
            form->InvalidateRect(oldInForm);
            form->InvalidateRect(VisibleRectInForm());
        }
    }
}

void TControl::SetClientWidth(int value)
{
    SetWidth(value + FWidth - ClientWidth());
}
void TControl::SetClientHeight(int value)
{
    SetHeight(value + FHeight - ClientHeight());
}

TPoint TControl::FormOrigin() const
{
    TPoint p;
    for (const TControl* c = this; c->FParent; c = c->FParent) {
        const TPoint inner = c->FParent->ChildOrigin();
        p.X = Saturated(0LL + p.X + c->FLeft + inner.X);
        p.Y = Saturated(0LL + p.Y + c->FTop + inner.Y);
    }
    return p;
}

TRect TControl::BoundsInForm() const
{
    const TPoint o = FormOrigin();
    return TRect{o.X, o.Y, Saturated(0LL + o.X + FWidth), Saturated(0LL + o.Y + FHeight)};
}

TRect TControl::VisibleRectInForm() const
{
    TCustomForm* form = ParentForm();
    if (!form)
        return TRect{};
    TRect r = BoundsInForm();
    for (const TControl* c = this; c; c = c->FParent) {
        if (!c->FVisible && c != form)
            return TRect{};
        r = r.Intersect(c->BoundsInForm());
        if (c != this) {
            // Children stay inside the part of their parent that is kept for them.
            const TRect inner = static_cast<const TWinControl*>(c)->ChildClipRect();
            const TPoint o = c->FormOrigin();
            r = r.Intersect(Rect(o.X + inner.Left, o.Y + inner.Top, o.X + inner.Right, o.Y + inner.Bottom));
        }
    }
    return r;
}

TPoint TControl::ClientToScreen(TPoint point) const
{
    const TPoint o = FormOrigin();
    TPoint screen{o.X + point.X, o.Y + point.Y};
    if (TCustomForm* form = ParentForm()) {
        TPoint formPos{form->Left(), form->Top()};
        if (form->HandleAllocated() && Application())
            if (auto r = Application()->Display().GetWindowRect(form->Handle()))
                formPos = TPoint{r->Left, r->Top};
        screen.X += formPos.X;
        screen.Y += formPos.Y;
    }
    return screen;
}

TPoint TControl::ScreenToClient(TPoint point) const
{
    const TPoint zero = ClientToScreen(TPoint{});
    return TPoint{point.X - zero.X, point.Y - zero.Y};
}

// --- state -----------------------------------------------------------------------------

void TControl::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    const TRect old = VisibleRectInForm();
    FVisible = value;
    if (TCustomForm* form = ParentForm(); form && form != this) {
        form->GeometryChangedBelow();
        form->InvalidateRect(old);
        form->InvalidateRect(VisibleRectInForm());
        if (!value)
            form->ControlRemoved(*this);
    }
    VisibleChanged();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible)
            return false;
    return ParentForm() != nullptr;
}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    EnabledChanged();
}

bool TControl::EnabledInTree() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled)
            return false;
    return true;
}

void TControl::SetCaption(const std::string& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    TextChanged();
}

void TControl::SetColor(TColor value)
{
    if (value != FColor) {
        FColor = value;
        FParentColor = false;
        ColorChanged();
    } else {
        FParentColor = false;
    }
}

void TControl::SetParentColor(bool value)
{
    if (value == FParentColor)
        return;
    FParentColor = value;
    if (value && FParent)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || !FParent)
        return;
    if (FParent->Color() != FColor) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::SetFont(TPersistentFont* value)
{
    if (value)
        FFont.Font().Assign(value->Font());
}

void TControl::SetParentFont(bool value)
{
    if (value == FParentFont)
        return;
    FParentFont = value;
    if (value && FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent)
        return;
    FSettingParentFont = true;
    const TScopeGuard done([this] { FSettingParentFont = false; });
    FFont.Font().Assign(FParent->Font());
}

void TControl::FontObjectChanged()
{
    if (!FSettingParentFont)
        FParentFont = false;
    FontChanged();
}

void TControl::SetCursor(TCursor value)
{
    if (value == FCursor)
        return;
    FCursor = value;
    if (TCustomForm* form = ParentForm(); form && FMouseInControl && form->HandleAllocated() && Application())
        Application()->Display().SetCursor(form->Handle(), value);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FParentFont)
        ParentFontChanged();
    if (FParentColor)
        ParentColorChanged();
}

// --- painting --------------------------------------------------------------------------

void TControl::BindCanvas()
{
    TCustomForm* form = ParentForm();
    TBitmap* target = nullptr;
    if (form) {
        target = &form->BackBuffer();
    } else {
        if (!FOrphanBuffer)
            FOrphanBuffer = std::make_unique<TBitmap>(1, 1);
        target = FOrphanBuffer.get();
    }
    if (!FCanvas || FCanvasTarget != target) {
        FCanvas = std::make_unique<TCanvas>(*target);
        FCanvasTarget = target;
        FCanvasEpoch = 0;
    }
    const unsigned epoch = form ? form->GeometryEpoch() : 1;
    if (FCanvasEpoch != epoch) {
        FCanvasEpoch = epoch;
        if (form) {
            const TPoint o = FormOrigin();
            FCanvas->SetOrigin(o);
            const TRect visible = VisibleRectInForm();
            FCanvas->SetClipRect(visible.IsEmpty() ? TRect{-o.X, -o.Y, -o.X, -o.Y}
                                                   : Rect(visible.Left - o.X, visible.Top - o.Y, visible.Right - o.X,
                                                          visible.Bottom - o.Y));
        } else {
            FCanvas->SetOrigin(TPoint{});
            FCanvas->SetClipRect(TRect{});
        }
    }
}

TCanvas& TControl::Canvas()
{
    BindCanvas();
    if (TCustomForm* form = ParentForm())
        form->NotePresent(VisibleRectInForm());
    return *FCanvas;
}

void TControl::PaintInto(const TRect& clipInForm)
{
    BindCanvas();
    TCanvas& canvas = *FCanvas;
    TCanvasState state(canvas);
    const TPoint o = FormOrigin();
    canvas.SetOrigin(o);
    canvas.SetClipRect(
        Rect(clipInForm.Left - o.X, clipInForm.Top - o.Y, clipInForm.Right - o.X, clipInForm.Bottom - o.Y));
    canvas.SetFont(Font());
    canvas.Brush().SetColor(FColor);
    canvas.Brush().SetStyle(bsSolid);
    EraseBackground();
    Paint();
}

void TControl::Invalidate()
{
    if (TCustomForm* form = ParentForm())
        form->InvalidateRect(VisibleRectInForm());
}

void TControl::Update()
{
    if (TCustomForm* form = ParentForm())
        form->UpdateWindow();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Validate()
{
    if (TCustomForm* form = ParentForm())
        form->ValidateRect(VisibleRectInForm());
}

// --- mouse -------------------------------------------------------------------------------

bool TControl::MouseCapture() const
{
    TCustomForm* form = ParentForm();
    return form && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    TCustomForm* form = ParentForm();
    if (!form)
        return;
    if (value)
        form->SetCaptureControl(this);
    else if (form->CaptureControl() == this)
        form->SetCaptureControl(nullptr);
}

void TControl::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick)
{
    if (doubleClick && FControlStyle.Contains(csDoubleClicks))
        shift |= ssDouble;
    if (FControlStyle.Contains(csCaptureMouse))
        SetMouseCapture(true);
    if (button == mbLeft && FControlStyle.Contains(csClickEvents))
        FClicked = !(shift & ssDouble);
    if ((shift & ssDouble) && button == mbLeft)
        DblClick();
    MouseDown(button, shift, x, y);
}

void TControl::DispatchMouseMove(TShiftState shift, int x, int y)
{
    MouseMove(shift, x, y);
}

void TControl::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    // shift holds the buttons still down after this release.
    const TShiftState remaining = shift & (ssLeft | ssRight | ssMiddle);
    if (FControlStyle.Contains(csCaptureMouse) && remaining == 0)
        SetMouseCapture(false);
    if (button == mbLeft && FClicked) {
        FClicked = false;
        if (ClientRect().Contains(TPoint{x, y}))
            Click();
    }
    MouseUp(button, shift, x, y);
}

void TControl::DispatchMouseEnter()
{
    if (FMouseInControl)
        return;
    FMouseInControl = true;
    MouseEnter();
}

void TControl::DispatchMouseLeave()
{
    if (!FMouseInControl)
        return;
    FMouseInControl = false;
    MouseLeave();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (FOnMouseDown)
        FOnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (FOnMouseMove)
        FOnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (FOnMouseUp)
        FOnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter()
{
    if (FOnMouseEnter)
        FOnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (FOnMouseLeave)
        FOnMouseLeave(this);
}

void TControl::Click()
{
    if (FOnClick)
        FOnClick(this);
}

void TControl::DblClick()
{
    if (FOnDblClick)
        FOnDblClick(this);
}

// --- keys and focus ------------------------------------------------------------------------

void TControl::KeyDown(std::uint16_t& key, TShiftState shift)
{
    if (FOnKeyDown)
        FOnKeyDown(this, key, shift);
}

void TControl::KeyPress(char& key)
{
    if (FOnKeyPress)
        FOnKeyPress(this, key);
}

void TControl::KeyUp(std::uint16_t& key, TShiftState shift)
{
    if (FOnKeyUp)
        FOnKeyUp(this, key, shift);
}

void TControl::DoEnter()
{
    if (FOnEnter)
        FOnEnter(this);
}

void TControl::DoExit()
{
    if (FOnExit)
        FOnExit(this);
}
