#pragma once

#include "ui/WinControl.h"

#include <string_view>

// The base of push buttons, check boxes and radio buttons. It behaves as a native push button:
// - a left press (or double click) first moves the focus to the button (clicked notices that
//   arrive meanwhile are ignored), then captures the mouse until the release; a release over the
//   button sends the clicked notice;
// - the space bar pressed and released while the button has the focus sends the clicked notice
//   on its release;
// - the clicked notice runs Clicked(), which by default runs Click() (OnClick).
// Derived classes override MouseDown/MouseUp/KeyDown/KeyUp/FocusIn/FocusOut/MouseEnter/...,
// calling the base first, and DialogKey/DialogChar for Default, Cancel and accelerators.
class TButtonControl : public TWinControl {
public:
    VELTRANE_CLASS_INFO

    explicit TButtonControl(TComponent* owner);

    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool /*value*/) {}
    // The native pushed look: the left button went down on the control and the pointer is over
    // it, or the space bar is held.
    bool Pushed() const { return (FMouseDown && MouseInControl()) || FSpaceDown; }

protected:
    // The reflected clicked notice of the native button.
    virtual void Clicked();

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void FocusOut() override;

    bool FClicksDisabled = false;
    bool FMouseDown = false; // left press on the button waiting for its release
    bool FSpaceDown = false; // space bar held while focused
};

// Whether ch is the accelerator of caption: the character after a single "&" (the last one),
// compared without regard to ASCII letter case.
bool IsAccel(char ch, std::string_view caption);
