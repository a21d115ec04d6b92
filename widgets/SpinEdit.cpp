#include "widgets/SpinEdit.h"

#include "classes/ClassRegistry.h"
#include "classes/Published.h"

#include "gfx/Canvas.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <clocale>
#include <string>

std::optional<std::int32_t> StrToIntValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    const auto parsed = ParseNumber<std::uint32_t>(text.substr(i), hex ? 16 : 10);
    if (!parsed)
        return std::nullopt;
    const std::uint64_t magnitude = *parsed;
    if (hex) {
        // Up to 32 bits, two's complement, then the sign.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        const auto value = static_cast<std::int32_t>(bits);
        return negative ? static_cast<std::int32_t>(0u - bits) : value;
    }
    if (negative) {
        if (magnitude > 2147483648ull)
            return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude > 2147483647ull)
        return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

const TClassInfo& TSpinEdit::StaticClass()
{
    using T = TSpinEdit;
    static const TClassInfo info = MakeClass<T, TCustomEdit>(
        "TSpinEdit", {
                         Published<T>("AutoSelect", &T::AutoSelect, &T::SetAutoSelect).Default(true),
                         Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true),
                         Published<T>("Ctl3D", &T::Ctl3D, &T::SetCtl3D).Default(true),
                         Published<T>("EditorEnabled", &T::EditorEnabled, &T::SetEditorEnabled).Default(true),
                         Published<T>("Increment", &T::Increment, &T::SetIncrement).Default(1),
                         Published<T>("MaxLength", &T::MaxLength, &T::SetMaxLength).Default(0),
                         Published<T>("MaxValue", &T::MaxValue, &T::SetMaxValue).NoDefault(),
                         Published<T>("MinValue", &T::MinValue, &T::SetMinValue).NoDefault(),
                         Published<T>("ParentColor", &T::ParentColor, &T::SetParentColor).Default(false),
                         Published<T>("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false),
                         Published<T>("TabStop", &T::TabStop, &T::SetTabStop).Default(true),
                         Published<T>("Value", &T::Value, &T::SetValue).NoDefault(),
                         Published<T>("OnChange", &T::OnChange, &T::SetOnChange),
                     });
    return info;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner)
{
    FButton = &CreateComponent<TSpinButton>();
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
    FButton->SetOnUpClick([this](TObject* sender) { StepUp(sender); });
    FButton->SetOnDownClick([this](TObject* sender) { StepDown(sender); });
    SetText("0");
    FControlStyle.Exclude(csSetCaption);
    UpdateEditRect();
}

TSpinEdit::~TSpinEdit()
{
    FButton = nullptr;
    DestroyComponents();
}

// --- value -------------------------------------------------------------------------------------

std::int32_t TSpinEdit::Value() const
{
    return StrToIntValue(Text()).value_or(FMinValue);
}

std::int32_t TSpinEdit::ClampValue(std::int32_t value) const
{
    if (FMinValue == FMaxValue)
        return value;
    if (value < FMinValue)
        return FMinValue;
    if (value > FMaxValue)
        return FMaxValue;
    return value;
}

void TSpinEdit::SetValue(std::int32_t value)
{
    SetText(std::to_string(ClampValue(value)));
}

void TSpinEdit::StepUp(TObject*)
{
    if (ReadOnly()) {
        Beep();
        return;
    }
    SetValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(Value()) + static_cast<std::uint32_t>(FIncrement)));
}

void TSpinEdit::StepDown(TObject*)
{
    if (ReadOnly()) {
        Beep();
        return;
    }
    SetValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(Value()) - static_cast<std::uint32_t>(FIncrement)));
}

// --- keyboard and clipboard -------------------------------------------------------------------------

bool TSpinEdit::IsAcceptedChar(char c) const
{
    const auto code = static_cast<unsigned char>(c);
    const char* point = std::localeconv()->decimal_point;
    const char separator = point && point[0] ? point[0] : '.';
    bool accepted = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == separator || (code < 32 && code != 13);
    if (!FEditorEnabled && accepted && (code >= 32 || code == 8))
        accepted = false;
    return accepted;
}

void TSpinEdit::KeyDown(std::uint16_t& key, TShiftState shift)
{
    if (key == vkUp)
        StepUp(this);
    else if (key == vkDown)
        StepDown(this);
    TCustomEdit::KeyDown(key, shift);
}

void TSpinEdit::KeyPress(char& key)
{
    if (!IsAcceptedChar(key)) {
        key = 0;
        Beep();
        return;
    }
    TCustomEdit::KeyPress(key);
}

void TSpinEdit::HandlePaste()
{
    if (!FEditorEnabled || ReadOnly())
        return;
    TCustomEdit::HandlePaste();
}

void TSpinEdit::HandleCut()
{
    if (!FEditorEnabled || ReadOnly())
        return;
    TCustomEdit::HandleCut();
}

// --- focus ---------------------------------------------------------------------------------------------

void TSpinEdit::DoEnter()
{
    if (AutoSelect() && !FocusByMouse())
        SelectAll();
    TCustomEdit::DoEnter();
}

void TSpinEdit::DoExit()
{
    TCustomEdit::DoExit();
    const std::int32_t value = Value();
    if (ClampValue(value) != value)
        SetValue(value);
}

// --- size -------------------------------------------------------------------------------------------------

int TSpinEdit::MinimumHeight()
{
    TCanvas& canvas = Canvas();
    TCanvasState state(canvas);
    canvas.SetFont(Font());
    const int t = canvas.GetTextMetrics().tmHeight;
    return t + std::min(ScreenFontHeight, t) / 4 + 4 * BorderHeight + 2;
}

void TSpinEdit::UpdateEditRect()
{
    if (!FButton)
        return;
    const TRect client = ClientRect();
    SetEditRect(Rect(0, 0, client.Width() - FButton->Width() - 2, client.Height() + 1));
}

void TSpinEdit::Resized()
{
    TCustomEdit::Resized();
    if (ComponentState().Contains(csLoading))
        return;
    const int minimum = MinimumHeight();
    if (Height() < minimum) {
        SetHeight(minimum);
        return;
    }
    if (FButton) {
        // Coordinates inside the edit's border, as the client area counts them.
        const int b = BorderWidth();
        const int aw = FButton->Width();
        if (Ctl3D())
            FButton->SetBounds(b + Width() - aw - 5, b, aw, Height() - 5);
        else
            FButton->SetBounds(b + Width() - aw, b + 1, aw, Height() - 3);
    }
    UpdateEditRect();
}

void TSpinEdit::Loaded()
{
    TCustomEdit::Loaded();
    Resized();
}

void RegisterSpinEditClasses(TClassRegistry& classes)
{
    classes.RegisterClass(TSpinEdit::StaticClass());
    classes.RegisterClass(TSpinButton::StaticClass());
}
