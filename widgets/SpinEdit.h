#pragma once

#include "widgets/SpinButton.h"

#include "ui/CustomEdit.h"

#include <cstdint>
#include <optional>
#include <string_view>

class TClassRegistry;

// A one-line numeric edit with a pair of arrow buttons inside its right edge.
//
// - The number lives only in the text: Value reads the text (StrToIntValue; a text that does not
//   convert reads as MinValue, unclamped) and writing Value puts ClampValue(v) in decimal.
// - MinValue..MaxValue bound written values; equal bounds mean no bounds. Changing a bound does
//   not rewrite the text; leaving the edit does, when the text lies outside them.
// - Typing is limited to IsAcceptedChar (digits, signs, the decimal separator and control
//   characters other than carriage return); refused characters beep. With EditorEnabled false
//   only control characters other than backspace pass, and paste and cut are ignored, as they
//   are while ReadOnly.
// - Up and Down arrow keys and the arrow buttons step by Increment (32-bit wrap-around, then
//   clamped); on a ReadOnly edit they beep and change nothing. A held arrow repeats after
//   400 ms and then every 100 ms.
// - The height never goes below MinimumHeight; the arrows sit inside the right edge and the
//   formatting rectangle stops before them.
class TSpinEdit : public TCustomEdit {
public:
    VELTRANE_CLASS_INFO

    // The character cell height of the screen's default font, for MinimumHeight.
    static constexpr int ScreenFontHeight = 16;
    // The platform's border height in pixels.
    static constexpr int BorderHeight = 1;

    explicit TSpinEdit(TComponent* owner);
    ~TSpinEdit() override;

    std::int32_t MinValue() const { return FMinValue; }
    void SetMinValue(std::int32_t value) { FMinValue = value; }
    std::int32_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(std::int32_t value) { FMaxValue = value; }
    std::int32_t Increment() const { return FIncrement; }
    void SetIncrement(std::int32_t value) { FIncrement = value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value) { FEditorEnabled = value; }
    TSpinButton* Arrows() const { return FButton; }

    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    std::int32_t ClampValue(std::int32_t value) const;

    virtual bool IsAcceptedChar(char c) const;
    virtual void StepUp(TObject* sender);
    virtual void StepDown(TObject* sender);

    // T + min(S, T) / 4 + 4 x border height + 2, T the font's and S the screen font's cell height.
    int MinimumHeight();
    // Keeps the text out from under the arrows.
    void UpdateEditRect();

protected:
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void HandlePaste() override;
    void HandleCut() override;
    void DoEnter() override;
    void DoExit() override;
    void Resized() override;
    void Loaded() override;

private:
    std::int32_t FMinValue = 0;
    std::int32_t FMaxValue = 0;
    std::int32_t FIncrement = 1;
    TSpinButton* FButton = nullptr;
    bool FEditorEnabled = true;
};

// The runtime's conversion of text to a signed 32-bit integer: leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X" (up to 32 bits,
// taken as two's complement). Nothing for empty text, any other character or an overflow.
std::optional<std::int32_t> StrToIntValue(std::string_view text);

// Adds TSpinEdit and TSpinButton to the classes form definitions may name.
void RegisterSpinEditClasses(TClassRegistry& classes);
