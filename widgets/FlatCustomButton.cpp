#include "widgets/FlatCustomButton.h"

#include "widgets/FlatCustomRadioButton.h"
#include "widgets/ImageListGlyphs.h"

#include "classes/Published.h"
#include "platform/AsciiText.h"
#include "ui/CustomForm.h"
#include "ui/ImageList.h"

#include "gfx/Canvas.h"
#include "platform/ScopeGuard.h"

#include <optional>

namespace {

// Sets a flag for a scope and puts the previous value back.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag), FSaved(flag) { flag = true; }
    ~TFlagScope() { FFlag = FSaved; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

class TDepthScope {
public:
    explicit TDepthScope(int& depth) : FDepth(depth) { ++depth; }
    ~TDepthScope() { --FDepth; }
    TDepthScope(const TDepthScope&) = delete;
    TDepthScope& operator=(const TDepthScope&) = delete;

private:
    int& FDepth;
};

constexpr TShiftState ModifierKeys = ssShift | ssCtrl | ssAlt;

} // namespace

const TClassInfo& TFlatCustomButton::StaticClass()
{
    static const TClassInfo info = MakeClass<TFlatCustomButton, TButtonControl>("TFlatCustomButton", {});
    return info;
}

TFlatCustomButton::TFlatCustomButton(TComponent* owner) : TButtonControl(owner)
{
    FCaption.clear();
    SetBounds(Left(), Top(), 75, 25);
    FTabStop = true;
    FControlStyle = TControlStyle{csSetCaption, csOpaque};
}

TFlatCustomButton::~TFlatCustomButton()
{
    if (FGlyph)
        RemoveFreeNotification(*FGlyph);
    FGlyph = nullptr;
}

void TFlatCustomButton::SetGlyph(TComponent* value)
{
    if (value == FGlyph)
        return;
    if (FGlyph)
        RemoveFreeNotification(*FGlyph);
    FGlyph = value;
    if (FGlyph)
        FreeNotification(*FGlyph);
    PaintButton();
}

void TFlatCustomButton::Notification(TComponent* component, TOperation operation)
{
    TButtonControl::Notification(component, operation);
    if (operation == opRemove && component == FGlyph && FGlyph) {
        FGlyph = nullptr;
        PaintButton();
    }
}

void TFlatCustomButton::SetState(TCheckBoxState value)
{
    if (value == FState)
        return;
    FState = value;
    if (ButtonKind() == fbkRadioButton) {
        SetTabStop(FState == cbChecked);
        if (FState == cbChecked)
            UncheckSiblings();
    }
    PaintButton();
}

void TFlatCustomButton::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    Repaint();
}

void TFlatCustomButton::UncheckSiblings()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    // A handler may rearrange the children; walk a copy.
    std::vector<TControl*> siblings;
    for (int i = 0; i < parent->ControlCount(); ++i)
        siblings.push_back(parent->Controls(i));
    for (TControl* control : siblings) {
        if (control == this || !parent->ContainsControl(control))
            continue;
        if (auto* radio = dynamic_cast<TFlatCustomRadioButton*>(control))
            radio->SetState(cbUnchecked);
    }
}

// --- painting ----------------------------------------------------------------------------

void TFlatCustomButton::PaintButton()
{
    bool cont = true;
    if (FOnPaint)
        FOnPaint(this, cont);
    // A handler that keeps answering false gets the face drawn with the colours it has
    // after a few rounds, rather than repainting without end.
    if (!cont && FRepaintDepth < MaxRepaintDepth) {
        RepaintButton();
        return;
    }
    DrawFlatButton();
}

void TFlatCustomButton::RepaintButton()
{
    TDepthScope depth(FRepaintDepth);
    TCustomForm* form = ParentForm();
    Validate();
    if (FInPaintPass || !form || !form->HandleAllocated() || !form->Visible()) {
        // Inside the framework's paint pass (or with nothing on screen) the control's paint
        // runs here directly; the framework's pass would not re-enter.
        TFlagScope inPaint(FInPaintPass);
        PaintButton();
        return;
    }
    Repaint();
}

void TFlatCustomButton::Paint()
{
    TFlagScope inPaint(FInPaintPass);
    PaintButton();
}

void TFlatCustomButton::DrawFlatButton()
{
    if (!Visible() || !Parent())
        return;
    TCustomForm* form = ParentForm();
    if (!form || !form->HandleAllocated())
        return;

    TFlatButtonFace face;
    // A framework image list, or any component that is itself an image source.
    std::optional<TImageListGlyphs> listGlyphs;
    face.Images = dynamic_cast<const TFlatButtonImages*>(FGlyph);
    if (!face.Images) {
        if (const auto* list = dynamic_cast<const TImageList*>(FGlyph))
            face.Images = &listGlyphs.emplace(*list);
    }
    face.GlyphIndex = FGlyphIndex;
    face.Spacing = FSpacing;
    face.Layout = FLayout;
    face.Caption = Caption();
    face.FocusStyle = FFocusStyle;
    face.Focused = Focused();
    face.AutoSize = FAutoSize;
    face.Font = Font();
    face.Color = Color();
    face.BorderColor = FBorderColor;
    face.MarkColor = FMarkColor;
    face.BlankColor = FBlankColor;
    face.State = FState;
    face.Kind = ButtonKind();
    face.Width = Width();
    face.Height = Height();

    const TFlatButtonPlan plan = PlanFlatButton(face);
    if (plan.Resize) {
        SetBounds(Left(), Top(), plan.NewSize.cx, plan.NewSize.cy);
        // The repaint draws the new size; a size the framework did not take is not chased.
        if (Width() == plan.NewSize.cx && Height() == plan.NewSize.cy)
            RepaintButton();
        return;
    }
    PaintFlatButton(Canvas(), face, plan);
}

// --- clicks --------------------------------------------------------------------------------

void TFlatCustomButton::Click()
{
    if (!Focused() && CanFocus())
        SetFocus();
    if (ButtonKind() == fbkRadioButton) {
        SetState(cbChecked);
    } else {
        TCustomForm* form = ParentForm();
        for (TCustomForm* outer = form; outer;) {
            form = outer;
            outer = outer->Parent() ? outer->Parent()->ParentForm() : nullptr;
        }
        if (form)
            form->SetModalResult(FModalResult);
        if (FGroupIndex == 0)
            FState = cbUnchecked;
        else
            FState = FState == cbChecked ? cbUnchecked : cbChecked;
    }
    TButtonControl::Click();
}

void TFlatCustomButton::Clicked()
{
    // The native click of a space-bar release arrives while KeyPressed is still set: the key
    // release itself clicks.
    if (FClicksDisabled || FKeyPressed)
        return;
    Click();
}

void TFlatCustomButton::KeyboardClick()
{
    FKeyPressed = true;
    PaintButton();
    const TScopeGuard release([this] {
        FKeyPressed = false;
        PaintButton();
    });
    Click();
}

bool TFlatCustomButton::DialogKey(std::uint16_t key, TShiftState shift)
{
    const bool wanted = (key == vkReturn && FDefault) || (key == vkEscape && FCancel);
    if (wanted && (shift & ModifierKeys) == 0 && CanFocus() && !FMousePressed && !FKeyPressed)
        KeyboardClick();
    return false;
}

bool TFlatCustomButton::DialogChar(char ch)
{
    const char accel = AcceleratorOf(Caption());
    if (accel == '\0' || UpCaseAscii(accel) != UpCaseAscii(ch))
        return false;
    if (!CanFocus() || FMousePressed || FKeyPressed)
        return false;
    KeyboardClick();
    return true;
}

// --- mouse, keys and focus -------------------------------------------------------------------

void TFlatCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TButtonControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && !FKeyPressed) {
        FMousePressed = true;
        PaintButton();
    }
}

void TFlatCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TButtonControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && FMousePressed) {
        FMousePressed = false;
        PaintButton();
    }
}

void TFlatCustomButton::MouseEnter()
{
    TButtonControl::MouseEnter();
    FMouseInside = true;
    PaintButton();
}

void TFlatCustomButton::MouseLeave()
{
    TButtonControl::MouseLeave();
    FMouseInside = false;
    PaintButton();
}

void TFlatCustomButton::KeyDown(std::uint16_t& key, TShiftState shift)
{
    TButtonControl::KeyDown(key, shift);
    if (key == vkSpace && Focused() && (shift & ModifierKeys) == 0 && !FMousePressed && !FKeyPressed) {
        FKeyPressed = true;
        PaintButton();
    }
}

void TFlatCustomButton::KeyUp(std::uint16_t& key, TShiftState shift)
{
    TButtonControl::KeyUp(key, shift);
    if (!FKeyPressed)
        return;
    // Any key's release ends the press with a click. The space bar may still be down: its
    // own release then clicks no second time.
    FSpaceDown = false;
    const TScopeGuard release([this] {
        FKeyPressed = false;
        PaintButton();
    });
    Click();
}

void TFlatCustomButton::FocusIn()
{
    TButtonControl::FocusIn();
    PaintButton();
}

void TFlatCustomButton::FocusOut()
{
    TButtonControl::FocusOut();
    FKeyPressed = false;
    FMousePressed = false;
    PaintButton();
}

void TFlatCustomButton::EnabledChanged()
{
    TButtonControl::EnabledChanged();
    PaintButton();
}

void TFlatCustomButton::TextChanged()
{
    TButtonControl::TextChanged();
    PaintButton();
}
