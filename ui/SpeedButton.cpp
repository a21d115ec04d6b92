#include "ui/SpeedButton.h"

#include "classes/Published.h"
#include "ui/ButtonControl.h"
#include "ui/ShapeEdges.h"
#include "ui/WinControl.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

#include <algorithm>

const TClassInfo& TSpeedButton::StaticClass()
{
    using T = TSpeedButton;
    static const TClassInfo info = MakeClass<T, TGraphicControl>(
        "TSpeedButton", {
                            Published<T>("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp).Default(false),
                            Published<T>("Down", &T::Down, &T::SetDown).Default(false),
                            Published<T>("Flat", &T::Flat, &T::SetFlat).Default(false),
                            Published<T>("Glyph", &T::Glyph, &T::SetGlyph),
                            Published<T>("GroupIndex", &T::GroupIndex, &T::SetGroupIndex).Default(0),
                            Published<T>("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs).Default(1),
                            Published<T>("Spacing", &T::Spacing, &T::SetSpacing).Default(4),
                        });
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque};
    FWidth = 23;
    FHeight = 22;
    FParentColor = false;
    FColor = clBtnFace;
    FGlyph.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetGlyph(TPicture* value)
{
    if (value && value != &FGlyph)
        FGlyph.Assign(*value);
    else if (!value)
        FGlyph.Clear();
}

void TSpeedButton::SetNumGlyphs(int value)
{
    value = std::clamp(value, 1, 4);
    if (value == FNumGlyphs)
        return;
    FNumGlyphs = value;
    Invalidate();
}

void TSpeedButton::SetDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return; // the last button of a group stays down
    FDown = value;
    if (value) {
        if (FState == bsUp)
            FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
    }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value)
{
    if (value == FGroupIndex)
        return;
    FGroupIndex = std::max(value, 0);
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
}

void TSpeedButton::SetFlat(bool value)
{
    if (value == FFlat)
        return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int value)
{
    if (value == FSpacing)
        return;
    FSpacing = value;
    Invalidate();
}

// Puts the other buttons of the group up.
void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !FDown || !FParent)
        return;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex || !other->FDown)
            continue;
        other->FDown = false;
        other->FState = bsUp;
        other->Invalidate();
    }
}

void TSpeedButton::EnabledChanged()
{
    FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
    FDragging = false;
    TGraphicControl::EnabledChanged();
}

void TSpeedButton::MouseEnter()
{
    TGraphicControl::MouseEnter();
    if (FFlat)
        Invalidate();
}

void TSpeedButton::MouseLeave()
{
    TGraphicControl::MouseLeave();
    if (FFlat)
        Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && EnabledInTree()) {
        if (!FDown) {
            FState = bsDown;
            Invalidate();
        }
        FDragging = true;
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!FDragging)
        return;
    TButtonState state;
    if (Inside(x, y))
        state = FDown ? bsExclusive : bsDown;
    else
        state = FDown ? bsExclusive : bsUp;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FDragging)
        return;
    FDragging = false;
    const bool doClick = Inside(x, y);
    if (FGroupIndex == 0) {
        FState = bsUp;
    } else if (doClick) {
        SetDown(!FDown);
        if (FDown)
            FState = bsExclusive;
        else
            FState = bsUp;
    } else {
        FState = FDown ? bsExclusive : bsUp;
    }
    Invalidate();
    if (doClick)
        Click();
}

bool TSpeedButton::DialogChar(char ch)
{
    if (!IsAccel(ch, Caption()) || !EnabledInTree() || !Visible())
        return false;
    Click();
    return true;
}

TRect TSpeedButton::GlyphSource() const
{
    if (FGlyph.Empty())
        return TRect{};
    const int count = std::min(FNumGlyphs, std::max(1, FGlyph.Width()));
    const int w = FGlyph.Width() / count;
    int index = 0;
    if (!EnabledInTree())
        index = 1;
    else if (FState == bsDown)
        index = 2;
    else if (FState == bsExclusive || FDown)
        index = 3;
    if (index >= count)
        index = 0;
    return Bounds(index * w, 0, w, FGlyph.Height());
}

TRect TSpeedButton::GlyphRect() const
{
    const TRect source = GlyphSource();
    if (source.IsEmpty())
        return TRect{};
    int textWidth = 0;
    if (!Caption().empty()) {
        TRect r{0, 0, 0, 0};
        DrawFormattedText(nullptr, Font(), Caption(), r, DT_CALCRECT | DT_SINGLELINE);
        textWidth = r.Width() + FSpacing;
    }
    const int total = source.Width() + textWidth;
    const int x = (FWidth - total) / 2;
    const int y = (FHeight - source.Height()) / 2;
    return Bounds(x, y, source.Width(), source.Height());
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect all = Rect(0, 0, FWidth, FHeight);
    const bool down = ShowsDown();
    if (FFlat && !down && !MouseInControl()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(FColor);
        canvas.FillRect(all);
    } else if (FFlat) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(FColor);
        canvas.FillRect(all);
        if (down)
            DrawEdgeLines(canvas, all, clBtnShadow, clBtnHighlight);
        else
            DrawEdgeLines(canvas, all, clBtnHighlight, clBtnShadow);
    } else {
        DrawButtonFace(canvas, all, down);
        if (FColor != clBtnFace) {
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(FColor);
            canvas.FillRect(Rect(2, 2, FWidth - 2, FHeight - 2));
        }
    }
    const int shift = down ? 1 : 0;
    const bool enabled = EnabledInTree();
    TRect glyph = GlyphRect();
    int textLeft;
    if (!glyph.IsEmpty()) {
        const TBitmap& bitmap = *FGlyph.Bitmap();
        const TRect source = GlyphSource();
        const std::uint32_t key = bitmap.GetPixel(source.Left, source.Bottom - 1);
        const bool ownDisabled = !enabled && FNumGlyphs > 1;
        const std::uint32_t light = ColorToDrawRGB(clBtnHighlight);
        const std::uint32_t dark = ColorToDrawRGB(clBtnShadow);
        for (int pass = enabled || ownDisabled ? 1 : 0; pass < 2; ++pass)
            for (int y = 0; y < source.Height(); ++y)
                for (int x = 0; x < source.Width(); ++x) {
                    const std::uint32_t c = bitmap.GetPixel(source.Left + x, source.Top + y);
                    if (c == key)
                        continue;
                    if (enabled || ownDisabled)
                        canvas.SetPixel(glyph.Left + x + shift, glyph.Top + y + shift, c);
                    else if (pass == 0)
                        canvas.SetPixel(glyph.Left + x + 1, glyph.Top + y + 1, light);
                    else
                        canvas.SetPixel(glyph.Left + x, glyph.Top + y, dark);
                }
        textLeft = glyph.Right + FSpacing;
    } else {
        textLeft = -1;
    }
    if (Caption().empty())
        return;
    canvas.SetFont(Font());
    canvas.SetBkMode(bmTransparent);
    TRect r;
    std::uint32_t flags = DT_SINGLELINE | DT_VCENTER;
    if (textLeft >= 0) {
        r = Rect(textLeft + shift, shift, FWidth + shift, FHeight + shift);
    } else {
        r = Rect(shift, shift, FWidth + shift, FHeight + shift);
        flags |= DT_CENTER;
    }
    if (!enabled) {
        TRect lightRect = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        canvas.SetTextColor(clBtnHighlight);
        canvas.DrawText(Caption(), lightRect, flags);
        canvas.SetTextColor(clBtnShadow);
    }
    canvas.DrawText(Caption(), r, flags);
}
