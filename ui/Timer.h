#pragma once

#include "classes/Component.h"
#include "ui/Controls.h"

#include <chrono>
#include <cstdint>

// A timer of the application's message loop: OnTimer runs on the main thread every Interval
// milliseconds while Enabled. An interval of 0 (or no OnTimer) starts nothing. Changing
// Enabled, Interval or OnTimer re-arms it, also from inside its own handler. Ticks do not pile
// up: a loop that was busy gets one tick, and the next comes Interval later.
class TTimer : public TComponent {
public:
    VELTRANE_CLASS_INFO

    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return FInterval; }
    void SetInterval(std::uint32_t value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent handler);

    // Armed: enabled, a non-zero interval and a handler.
    bool Armed() const { return FArmed; }
    std::chrono::steady_clock::time_point Due() const { return FDue; }
    // Runs OnTimer now (the application calls this when the timer is due).
    void Fire();

protected:
    void Loaded() override;

private:
    void UpdateTimer();

    bool FEnabled = true;
    std::uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    bool FArmed = false;
    std::chrono::steady_clock::time_point FDue{};
};
