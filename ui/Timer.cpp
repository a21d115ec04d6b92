#include "ui/Timer.h"

#include "classes/Published.h"
#include "ui/Application.h"

const TClassInfo& TTimer::StaticClass()
{
    using T = TTimer;
    static const TClassInfo info =
        MakeClass<T, TComponent>("TTimer", {
                                               Published<T>("Enabled", &T::Enabled, &T::SetEnabled).Default(true),
                                               Published<T>("Interval", &T::Interval, &T::SetInterval).Default(1000),
                                               Published<T>("OnTimer", &T::FOnTimer, &T::SetOnTimer),
                                           });
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    if (TApplication* app = Application())
        app->AddTimer(*this);
}

TTimer::~TTimer()
{
    if (TApplication* app = Application())
        app->RemoveTimer(*this);
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t value)
{
    if (value == FInterval)
        return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    FOnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (ComponentState().Contains(csLoading)) {
        FArmed = false;
        return;
    }
    FArmed = FEnabled && FInterval != 0 && static_cast<bool>(FOnTimer);
    if (FArmed)
        FDue = std::chrono::steady_clock::now() + std::chrono::milliseconds(FInterval);
}

void TTimer::Fire()
{
    if (!FArmed)
        return;
    FDue = std::chrono::steady_clock::now() + std::chrono::milliseconds(FInterval);
    if (FOnTimer) {
        const TNotifyEvent handler = FOnTimer; // the handler may replace itself
        handler(this);
    }
}
