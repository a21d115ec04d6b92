#pragma once

#include "classes/EnumInfo.h"
#include "classes/Set.h"
#include "ui/SpeedButton.h"

#include <cstdint>
#include <memory>

class TTimer;

// The flags of a repeating speed button.
enum class TTimerButtonFlag : std::uint8_t {
    ShowFocusRect, // draw a focus rectangle
    RepeatEnabled  // repeat the click while the button is held
};
using TTimerButtonFlags = TSet<TTimerButtonFlag>;

// A speed button that repeats its click while held: a press arms RepeatTimer with 400 ms; each
// tick re-arms it with 100 ms and clicks the button when it is down (the pointer over it) and
// holds the mouse capture; any release stops it. A click that fails stops the timer and passes
// the failure on. With ShowFocusRect a focus rectangle is drawn 3 pixels inside the button,
// moved by (1, 1) while down.
class TTimerSpeedButton : public TSpeedButton {
public:
    VELTRANE_CLASS_INFO

    static constexpr std::uint32_t InitialRepeatPause = 400;
    static constexpr std::uint32_t RepeatPause = 100;

    explicit TTimerSpeedButton(TComponent* owner);
    ~TTimerSpeedButton() override;

    TTimerButtonFlags TimerButtonFlags() const { return FTimerButtonFlags; }
    void SetTimerButtonFlags(TTimerButtonFlags value);
    // Created at the first press that repeats; null before.
    TTimer* RepeatTimer() const { return FRepeatTimer.get(); }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void RepeatTick();

    std::unique_ptr<TTimer> FRepeatTimer;
    TTimerButtonFlags FTimerButtonFlags;
};
