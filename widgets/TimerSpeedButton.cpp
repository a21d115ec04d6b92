#include "widgets/TimerSpeedButton.h"

#include "classes/Published.h"
#include "ui/Timer.h"

#include "gfx/Canvas.h"
#include "platform/ScopeGuard.h"

const TClassInfo& TTimerSpeedButton::StaticClass()
{
    static const TClassInfo info = MakeClass<TTimerSpeedButton, TSpeedButton>("TTimerSpeedButton", {});
    return info;
}

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

TTimerSpeedButton::~TTimerSpeedButton() = default;

void TTimerSpeedButton::SetTimerButtonFlags(TTimerButtonFlags value)
{
    if (value == FTimerButtonFlags)
        return;
    FTimerButtonFlags = value;
    Invalidate();
}

void TTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseDown(button, shift, x, y);
    if (!FTimerButtonFlags.Contains(TTimerButtonFlag::RepeatEnabled))
        return;
    if (!FRepeatTimer)
        FRepeatTimer = std::make_unique<TTimer>(nullptr);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
    FRepeatTimer->SetInterval(InitialRepeatPause);
    FRepeatTimer->SetEnabled(true);
}

void TTimerSpeedButton::RepeatTick()
{
    FRepeatTimer->SetInterval(RepeatPause);
    if (State() != bsDown || !MouseCapture())
        return;
    TScopeGuard stop([this] {
        if (FRepeatTimer)
            FRepeatTimer->SetEnabled(false);
    });
    Click();
    stop.Dismiss();
}

void TTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseUp(button, shift, x, y);
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
}

void TTimerSpeedButton::Paint()
{
    TSpeedButton::Paint();
    if (!FTimerButtonFlags.Contains(TTimerButtonFlag::ShowFocusRect))
        return;
    const int d = ShowsDown() ? 1 : 0;
    const TRect r = Rect(3 + d, 3 + d, Width() - 3 + d, Height() - 3 + d);
    if (!r.IsEmpty())
        Canvas().DrawFocusRect(r);
}
