#include "ui/TabSheet.h"

#include "classes/Published.h"
#include "ui/PageControl.h"

const TClassInfo& TTabSheet::StaticClass()
{
    using T = TTabSheet;
    static const TClassInfo info = MakeClass<T, TWinControl>(
        "TTabSheet", {
                         Published<T>("ImageIndex", &T::ImageIndex, &T::SetImageIndex).Default(0),
                         Published<T>("PageIndex", &T::PageIndex, &T::SetPageIndex).Stored(false),
                         Published<T>("TabVisible", &T::TabVisible, &T::SetTabVisible).Default(true),
                     });
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    FControlStyle = TControlStyle{csAcceptsControls};
    FColor = clBtnFace;
    FVisible = false;
}

TTabSheet::~TTabSheet()
{
    if (FPageControl)
        FPageControl->RemovePage(*this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    if (pageControl == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(*this);
    SetParent(pageControl);
    if (pageControl)
        pageControl->InsertPage(*this, pageControl->PageCount());
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    for (int i = 0; i < FPageControl->PageCount(); ++i)
        if (FPageControl->Pages(i) == this)
            return i;
    return -1;
}

void TTabSheet::SetPageIndex(int value)
{
    if (FPageControl)
        FPageControl->MovePage(*this, value);
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible)
        return -1;
    return FPageControl->TabIndexForPage(*this);
}

void TTabSheet::SetImageIndex(int value)
{
    if (value == FImageIndex)
        return;
    FImageIndex = value;
    if (FPageControl) {
        const int tab = TabIndex();
        if (tab >= 0)
            FPageControl->SetTabImageIndex(tab, value);
        FPageControl->Invalidate();
    }
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == FTabVisible)
        return;
    FTabVisible = value;
    if (FPageControl)
        FPageControl->PageTabChanged(*this);
}

void TTabSheet::SetParentComponent(TComponent* parent)
{
    if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) {
        SetPageControl(pageControl);
        return;
    }
    TWinControl::SetParentComponent(parent);
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (FPageControl)
        FPageControl->PageCaptionChanged(*this);
}

void TTabSheet::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (FPageControl)
        FPageControl->Invalidate();
}
