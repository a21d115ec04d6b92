#pragma once

#include "ui/ButtonControl.h"
#include "ui/Form.h"

#include <cstdint>
#include <string>
#include <string_view>

// Message box flags and answers (the platform's values).
constexpr std::uint32_t MB_OK = 0x00000000;
constexpr std::uint32_t MB_ICONERROR = 0x00000010;
constexpr std::uint32_t MB_ICONSTOP = MB_ICONERROR;
constexpr std::uint32_t MB_ICONWARNING = 0x00000030;
constexpr std::uint32_t MB_ICONINFORMATION = 0x00000040;
constexpr std::uint32_t MB_ICONMASK = 0x000000F0;
constexpr std::uint32_t MB_TASKMODAL = 0x00002000;
constexpr int IDOK = 1;

// Writes text to standard error, then shows it in a box drawn by the framework on the
// application's display (title, icon, text, an OK button) and waits in a modal loop of its own
// until it is dismissed (OK, Enter, Escape, Space or the window's close box). While it shows,
// the other forms take no input. Without an application object, or once the display's
// connection is lost, only the standard-error text is given. Answers IDOK.
int MessageBox(std::string_view text, std::string_view caption, std::uint32_t flags = MB_OK);

// The box alone, without the standard-error text: on the application's display, or, when no
// application object exists (the last-chance handler), on the default X11 display opened for the
// box; nothing when no display can be opened.
void ShowMessageBoxWindow(std::string_view text, std::string_view caption, std::uint32_t flags = MB_OK);

// The OK button of a message box: a plain push button, the default and the cancel button.
class TMessageBoxButton : public TButtonControl {
public:
    VELTRANE_CLASS_INFO
    explicit TMessageBoxButton(TComponent* owner);

protected:
    void Paint() override;
    void Click() override;
    bool DialogKey(std::uint16_t key, TShiftState shift) override;
    bool DialogChar(char ch) override;
    void FocusIn() override { Invalidate(); }
    void FocusOut() override;
    void MouseEnter() override;
    void MouseLeave() override;
};

// The box itself: the icon and the text are painted by the form, the button is a child.
class TMessageBoxForm : public TForm {
public:
    VELTRANE_CLASS_INFO
    TMessageBoxForm(TComponent* owner, std::string text, std::string caption, std::uint32_t flags);

    static constexpr int Margin = 12;
    static constexpr int IconSize = 32;

    TRect IconRect() const { return Bounds(Margin, Margin, IconSize, IconSize); }
    TRect TextRect() const { return FTextRect; }
    TMessageBoxButton& Button() { return *FButton; }

protected:
    void Paint() override;

private:
    std::string FText;
    std::uint32_t FFlags;
    TRect FTextRect;
    TMessageBoxButton* FButton = nullptr;
};

// Draws the error icon (a red disc with a white cross) into rect.
void DrawErrorIcon(TCanvas& canvas, const TRect& rect);
