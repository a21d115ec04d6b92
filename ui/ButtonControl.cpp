#include "ui/ButtonControl.h"

#include "classes/Published.h"
#include "platform/AsciiText.h"
#include "platform/ScopeGuard.h"

const TClassInfo& TButtonControl::StaticClass()
{
    static const TClassInfo info = MakeClass<TButtonControl, TWinControl>("TButtonControl", {});
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    FTabStop = true;
    FColor = clBtnFace;
}

void TButtonControl::Clicked()
{
    if (FClicksDisabled)
        return;
    Click();
}

void TButtonControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (!Focused() && CanFocus()) {
            FClicksDisabled = true;
            const TScopeGuard enable([this] { FClicksDisabled = false; });
            SetFocus();
        }
        FMouseDown = true;
        SetMouseCapture(true);
        Invalidate();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TButtonControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && FMouseDown) {
        FMouseDown = false;
        SetMouseCapture(false);
        Invalidate();
        if (ClientRect().Contains(TPoint{x, y}))
            Clicked();
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TButtonControl::KeyDown(std::uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == vkSpace && (shift & ssAlt) == 0 && !FSpaceDown) {
        FSpaceDown = true;
        Invalidate();
    }
}

void TButtonControl::KeyUp(std::uint16_t& key, TShiftState shift)
{
    const bool space = key == vkSpace;
    TWinControl::KeyUp(key, shift);
    if (space && FSpaceDown) {
        FSpaceDown = false;
        Invalidate();
        Clicked();
    }
}

void TButtonControl::FocusOut()
{
    TWinControl::FocusOut();
    if (FSpaceDown || FMouseDown) {
        FSpaceDown = false;
        FMouseDown = false;
        SetMouseCapture(false);
        Invalidate();
    }
}

bool IsAccel(char ch, std::string_view caption)
{
    char accel = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        accel = caption[i + 1];
    }
    if (accel == 0)
        return false;
    return UpCaseAscii(accel) == UpCaseAscii(ch);
}
