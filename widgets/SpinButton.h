#pragma once

#include "widgets/TimerSpeedButton.h"

#include "ui/CustomControl.h"

class TPicture;

// A pair of arrow buttons, up above down, that step a value. The arrows repeat while held
// (TTimerSpeedButton). A press on an arrow moves the keyboard focus into FocusControl (or to the
// pair itself when it is a tab stop). OnUpClick and OnDownClick receive the pair as sender. The
// arrows show the built-in "SpinUp" and "SpinDown" glyphs unless given others.
class TSpinButton : public TCustomControl {
public:
    VELTRANE_CLASS_INFO

    static constexpr int MinArrowWidth = 15;

    explicit TSpinButton(TComponent* owner);
    ~TSpinButton() override;

    TTimerSpeedButton* UpArrow() const { return FUpArrow; }
    TTimerSpeedButton* DownArrow() const { return FDownArrow; }
    TTimerSpeedButton* FocusedArrow() const { return FFocusedArrow; }

    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

    TPicture* UpGlyph() const;
    // A picture with a glyph copies it into the up arrow; none (or an empty one) loads "SpinUp".
    void SetUpGlyph(TPicture* value);
    TPicture* DownGlyph() const;
    void SetDownGlyph(TPicture* value);
    int UpNumGlyphs() const;
    void SetUpNumGlyphs(int value);
    int DownNumGlyphs() const;
    void SetDownNumGlyphs(int value);

    const TNotifyEvent& OnUpClick() const { return FOnUpClick; }
    void SetOnUpClick(TNotifyEvent handler) { FOnUpClick = std::move(handler); }
    const TNotifyEvent& OnDownClick() const { return FOnDownClick; }
    void SetOnDownClick(TNotifyEvent handler) { FOnDownClick = std::move(handler); }

    void SetBounds(int left, int top, int width, int height) override;
    bool WantsKey(std::uint16_t key, TShiftState shift) const override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void Resized() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void FocusIn() override;
    void FocusOut() override;

private:
    TTimerSpeedButton* CreateArrow();
    // Places the arrows for a w x h pair; answers the width the pair must take.
    int LayoutArrows(int w, int h);
    void ArrowClick(TObject* sender);
    void ArrowMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FocusArrow(TTimerSpeedButton* arrow);
    void SetArrowFocusRect(TTimerSpeedButton* arrow, bool show);
    static void ResetGlyph(TTimerSpeedButton& arrow, TPicture* value, const char* resource);

    TTimerSpeedButton* FUpArrow = nullptr;
    TTimerSpeedButton* FDownArrow = nullptr;
    TTimerSpeedButton* FFocusedArrow = nullptr;
    TWinControl* FFocusControl = nullptr;
    TNotifyEvent FOnUpClick;
    TNotifyEvent FOnDownClick;
    bool FLayingOut = false;
};
