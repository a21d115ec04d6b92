#include "widgets/SpinButton.h"

#include "classes/Published.h"

const TClassInfo& TSpinButton::StaticClass()
{
    using T = TSpinButton;
    static const TClassInfo info = MakeClass<T, TCustomControl>(
        "TSpinButton", {
                           Published<T>("DownGlyph", &T::DownGlyph, &T::SetDownGlyph),
                           Published<T>("DownNumGlyphs", &T::DownNumGlyphs, &T::SetDownNumGlyphs).Default(1),
                           Published<T>("FocusControl", &T::FocusControl, &T::SetFocusControl),
                           Published<T>("TabStop", &T::TabStop, &T::SetTabStop).Default(false),
                           Published<T>("UpGlyph", &T::UpGlyph, &T::SetUpGlyph),
                           Published<T>("UpNumGlyphs", &T::UpNumGlyphs, &T::SetUpNumGlyphs).Default(1),
                           Published<T>("OnDownClick", &T::OnDownClick, &T::SetOnDownClick),
                           Published<T>("OnUpClick", &T::OnUpClick, &T::SetOnUpClick),
                       });
    return info;
}

TSpinButton::TSpinButton(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle.Exclude(csAcceptsControls);
    FControlStyle.Exclude(csSetCaption);
    FControlStyle.Include(csFramed);
    FControlStyle.Include(csOpaque);
    FUpArrow = CreateArrow();
    FDownArrow = CreateArrow();
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FFocusedArrow = FUpArrow;
    SetBounds(0, 0, 20, 25);
}

TSpinButton::~TSpinButton()
{
    // The arrows are owned components: forget them before they go.
    FFocusedArrow = nullptr;
    FUpArrow = nullptr;
    FDownArrow = nullptr;
    DestroyComponents();
}

TTimerSpeedButton* TSpinButton::CreateArrow()
{
    auto& arrow = CreateComponent<TTimerSpeedButton>();
    arrow.SetParent(this);
    arrow.SetVisible(true);
    arrow.SetEnabled(true);
    arrow.SetTimerButtonFlags(TTimerButtonFlags{TTimerButtonFlag::RepeatEnabled});
    arrow.SetOnClick([this](TObject* sender) { ArrowClick(sender); });
    arrow.SetOnMouseDown([this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        ArrowMouseDown(sender, button, shift, x, y);
    });
    return &arrow;
}

// --- layout --------------------------------------------------------------------------------

int TSpinButton::LayoutArrows(int w, int h)
{
    if (ComponentState().Contains(csLoading) || !FUpArrow || !FDownArrow)
        return w;
    w = std::max(w, MinArrowWidth);
    h = std::max(h, 0);
    FUpArrow->SetBounds(0, 0, w, h / 2);
    FDownArrow->SetBounds(0, FUpArrow->Height() - 1, w, h - FUpArrow->Height() + 1);
    return w;
}

void TSpinButton::SetBounds(int left, int top, int width, int height)
{
    if (!FLayingOut) {
        FLayingOut = true;
        width = LayoutArrows(width, height);
        FLayingOut = false;
    }
    TCustomControl::SetBounds(left, top, width, height);
}

void TSpinButton::Resized()
{
    TCustomControl::Resized();
    if (FLayingOut)
        return;
    FLayingOut = true;
    const int w = LayoutArrows(Width(), Height());
    FLayingOut = false;
    if (w != Width())
        SetBounds(Left(), Top(), w, Height());
}

void TSpinButton::Loaded()
{
    TCustomControl::Loaded();
    const int w = LayoutArrows(Width(), Height());
    if (w != Width())
        SetBounds(Left(), Top(), w, Height());
}

// --- glyphs --------------------------------------------------------------------------------------

void TSpinButton::ResetGlyph(TTimerSpeedButton& arrow, TPicture* value, const char* resource)
{
    if (value && !value->Empty()) {
        arrow.SetGlyph(value);
        return;
    }
    arrow.Glyph()->LoadFromResource(resource);
    arrow.SetNumGlyphs(1);
    arrow.Invalidate();
}

TPicture* TSpinButton::UpGlyph() const
{
    return FUpArrow ? FUpArrow->Glyph() : nullptr;
}
TPicture* TSpinButton::DownGlyph() const
{
    return FDownArrow ? FDownArrow->Glyph() : nullptr;
}
void TSpinButton::SetUpGlyph(TPicture* value)
{
    if (FUpArrow)
        ResetGlyph(*FUpArrow, value, "SpinUp");
}
void TSpinButton::SetDownGlyph(TPicture* value)
{
    if (FDownArrow)
        ResetGlyph(*FDownArrow, value, "SpinDown");
}
int TSpinButton::UpNumGlyphs() const
{
    return FUpArrow ? FUpArrow->NumGlyphs() : 1;
}
void TSpinButton::SetUpNumGlyphs(int value)
{
    if (FUpArrow)
        FUpArrow->SetNumGlyphs(value);
}
int TSpinButton::DownNumGlyphs() const
{
    return FDownArrow ? FDownArrow->NumGlyphs() : 1;
}
void TSpinButton::SetDownNumGlyphs(int value)
{
    if (FDownArrow)
        FDownArrow->SetNumGlyphs(value);
}

// --- focus control -----------------------------------------------------------------------------------

void TSpinButton::SetFocusControl(TWinControl* value)
{
    if (value == FFocusControl)
        return;
    if (FFocusControl)
        RemoveFreeNotification(*FFocusControl);
    FFocusControl = value;
    if (value)
        FreeNotification(*value);
}

void TSpinButton::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == FFocusControl)
        FFocusControl = nullptr;
    if (component == FUpArrow)
        FUpArrow = nullptr;
    if (component == FDownArrow)
        FDownArrow = nullptr;
    if (component == FFocusedArrow)
        FFocusedArrow = nullptr;
}

// --- arrows ---------------------------------------------------------------------------------------------

void TSpinButton::ArrowClick(TObject* sender)
{
    if (sender == FUpArrow) {
        if (FOnUpClick)
            FOnUpClick(this);
    } else if (FOnDownClick) {
        FOnDownClick(this);
    }
}

void TSpinButton::ArrowMouseDown(TObject* sender, TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft)
        return;
    FocusArrow(dynamic_cast<TTimerSpeedButton*>(sender));
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused()) {
        FFocusControl->SetFocus();
    } else if (TabStop() && !Focused() && CanFocus()) {
        SetFocus();
    }
}

void TSpinButton::SetArrowFocusRect(TTimerSpeedButton* arrow, bool show)
{
    if (!arrow)
        return;
    TTimerButtonFlags flags = arrow->TimerButtonFlags();
    if (show)
        flags.Include(TTimerButtonFlag::ShowFocusRect);
    else
        flags.Exclude(TTimerButtonFlag::ShowFocusRect);
    arrow->SetTimerButtonFlags(flags);
}

void TSpinButton::FocusArrow(TTimerSpeedButton* arrow)
{
    if (!arrow || !TabStop() || !CanFocus() || arrow == FFocusedArrow)
        return;
    SetArrowFocusRect(FFocusedArrow, false);
    FFocusedArrow = arrow;
    if (Focused()) {
        SetArrowFocusRect(FFocusedArrow, true);
        Invalidate();
    }
}

// --- keyboard and focus -----------------------------------------------------------------------------------

bool TSpinButton::WantsKey(std::uint16_t key, TShiftState) const
{
    return key == vkUp || key == vkDown;
}

void TSpinButton::KeyDown(std::uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    switch (key) {
    case vkUp:
        FocusArrow(FUpArrow);
        if (FUpArrow)
            FUpArrow->Click();
        break;
    case vkDown:
        FocusArrow(FDownArrow);
        if (FDownArrow)
            FDownArrow->Click();
        break;
    case vkSpace:
        if (FFocusedArrow)
            FFocusedArrow->Click();
        break;
    default:
        break;
    }
}

void TSpinButton::FocusIn()
{
    TCustomControl::FocusIn();
    SetArrowFocusRect(FFocusedArrow, true);
}

void TSpinButton::FocusOut()
{
    TCustomControl::FocusOut();
    SetArrowFocusRect(FFocusedArrow, false);
}
