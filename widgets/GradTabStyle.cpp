#include "widgets/GradTabStyle.h"

#include "classes/Published.h"
#include "ui/ColorIdents.h"

const TClassInfo& TGradTabStyle::StaticClass()
{
    using T = TGradTabStyle;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TGradTabStyle",
        {
            Published<T>("Borders", &T::Borders, &T::SetBorders).NoDefault(),
            Published<T>("BevelInner", &T::BevelInner, &T::SetBevelInner).NoDefault(),
            Published<T>("BevelOuter", &T::BevelOuter, &T::SetBevelOuter).NoDefault(),
            Published<T>("Bold", &T::Bold, &T::SetBold).NoDefault(),
            Published<T>("BackgrColor", &T::BackgrColor, &T::SetBackgrColor).Idents(ColorIdentToInt).NoDefault(),
            Published<T>("Font", &T::GetFont, static_cast<void (T::*)(TPersistentFont*)>(&T::SetFont)),
            Published<T>("TextStyle", &T::TextStyle, &T::SetTextStyle).NoDefault(),
            Published<T>("CaptionHAlign", &T::CaptionHAlign, &T::SetCaptionHAlign).NoDefault(),
            Published<T>("CaptionVAlign", &T::CaptionVAlign, &T::SetCaptionVAlign).NoDefault(),
            Published<T>("GlyphHAlign", &T::GlyphHAlign, &T::SetGlyphHAlign).NoDefault(),
            Published<T>("GlyphVAlign", &T::GlyphVAlign, &T::SetGlyphVAlign).NoDefault(),
            Published<T>("Gradient", &T::GetGradient, &T::SetGradient),
        });
    return info;
}

TGradTabStyle::TGradTabStyle(TGradTabStyleOwner* ownerControl) : FOwnerControl(ownerControl)
{
    if (ownerControl)
        FFont.Font().Assign(ownerControl->TabControlFont());
}

void TGradTabStyle::Changed()
{
    if (OnChanged)
        OnChanged(*this);
}

void TGradTabStyle::SetBorders(TglSides value)
{
    Set(FBorders, value);
}
void TGradTabStyle::SetBevelInner(TBevelCut value)
{
    Set(FBevelInner, value);
}
void TGradTabStyle::SetBevelOuter(TBevelCut value)
{
    Set(FBevelOuter, value);
}
void TGradTabStyle::SetBold(bool value)
{
    Set(FBold, value);
}
void TGradTabStyle::SetBackgrColor(TColor value)
{
    Set(FBackgrColor, value);
}
void TGradTabStyle::SetTextStyle(TglTextStyle value)
{
    Set(FTextStyle, value);
}
void TGradTabStyle::SetCaptionHAlign(TglHorAlign value)
{
    Set(FCaptionHAlign, value);
}
void TGradTabStyle::SetCaptionVAlign(TglVertAlign value)
{
    Set(FCaptionVAlign, value);
}
void TGradTabStyle::SetGlyphHAlign(TglHorAlign value)
{
    Set(FGlyphHAlign, value);
}
void TGradTabStyle::SetGlyphVAlign(TglVertAlign value)
{
    Set(FGlyphVAlign, value);
}

void TGradTabStyle::SetFont(TPersistentFont* value)
{
    if (value)
        SetFont(value->Font());
    else if (OnFontChanged)
        OnFontChanged(*this);
}

void TGradTabStyle::SetFont(const TFont& value)
{
    if (&value != &FFont.Font())
        FFont.Font().Assign(value);
    if (FOwnerControl && value.Size() > FOwnerControl->TabControlFont().Size())
        FOwnerControl->SetTabControlFont(value);
    if (OnFontChanged)
        OnFontChanged(*this);
}

void TGradTabStyle::SetGradient(TGradient* value)
{
    if (value && value != &FGradient)
        FGradient.Assign(*value);
}

void TGradTabStyle::Assign(const TPersistent& source)
{
    const auto* style = dynamic_cast<const TGradTabStyle*>(&source);
    if (!style) {
        TPersistent::Assign(source);
        return;
    }
    if (style == this)
        return;
    SetBorders(style->FBorders);
    SetBevelInner(style->FBevelInner);
    SetBevelOuter(style->FBevelOuter);
    SetBold(style->FBold);
    SetBackgrColor(style->FBackgrColor);
    SetTextStyle(style->FTextStyle);
    SetCaptionHAlign(style->FCaptionHAlign);
    SetCaptionVAlign(style->FCaptionVAlign);
    SetGlyphHAlign(style->FGlyphHAlign);
    SetGlyphVAlign(style->FGlyphVAlign);
    FGradient.Assign(style->FGradient);
    SetFont(style->FFont.Font());
}
