#include "ui/CustomLabel.h"

#include "classes/Published.h"
#include "ui/ButtonControl.h"
#include "ui/WinControl.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

const TClassInfo& TCustomLabel::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomLabel, TGraphicControl>("TCustomLabel", {});
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csReplicatable);
    FWidth = 65;
    FHeight = 17;
    FParentColor = true;
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (value == FLayout)
        return;
    FLayout = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (value == FShowAccelChar)
        return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == Transparent())
        return;
    if (value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value)
{
    if (value == FFocusControl)
        return;
    if (FFocusControl)
        RemoveFreeNotification(*FFocusControl);
    FFocusControl = value;
    if (value)
        FreeNotification(*value);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl)
        FFocusControl = nullptr;
}

std::uint32_t TCustomLabel::DrawFlags() const
{
    std::uint32_t flags = DT_EXPANDTABS;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= DT_CENTER;
    return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, std::uint32_t flags)
{
    std::string text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&")))
        text += ' ';
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    TCanvas& canvas = Canvas();
    canvas.SetFont(Font());
    if (!EnabledInTree() && !(flags & DT_CALCRECT)) {
        TRect shifted = Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
        canvas.SetTextColor(clBtnHighlight);
        canvas.DrawText(text, shifted, flags);
        canvas.SetTextColor(clBtnShadow);
        canvas.DrawText(text, rect, flags);
    } else {
        canvas.DrawText(text, rect, flags);
    }
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = Canvas();
    if (!Transparent()) {
        canvas.Brush().SetColor(FColor);
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(ClientRect());
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.SetBkMode(bmTransparent);
    TRect rect = ClientRect();
    const std::uint32_t flags = DrawFlags();
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(calc, flags | DT_CALCRECT);
        const int free = FHeight - calc.Bottom;
        const int dy = FLayout == tlBottom ? free : free / 2;
        rect.Top += dy;
        rect.Bottom += dy;
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || ComponentState().Contains(csReading) || ComponentState().Contains(csLoading))
        return;
    TCanvas& canvas = Canvas();
    TCanvasState state(canvas);
    TRect rect = ClientRect();
    DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
    int left = FLeft;
    if (FAlignment == taRightJustify)
        left += FWidth - rect.Right;
    SetBounds(left, FTop, rect.Right, rect.Bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged()
{
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

bool TCustomLabel::DialogChar(char ch)
{
    if (!FShowAccelChar || !FFocusControl || !IsAccel(ch, Caption()))
        return false;
    if (!FFocusControl->CanFocus())
        return false;
    FFocusControl->SetFocus();
    return true;
}
