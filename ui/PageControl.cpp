#include "ui/PageControl.h"

#include "classes/ClassRegistry.h"
#include "classes/Published.h"
#include "ui/TabSheet.h"

#include <algorithm>

const TClassInfo& TPageControl::StaticClass()
{
    using T = TPageControl;
    static const TClassInfo info = MakeClass<T, TCustomTabControl>(
        "TPageControl", {
                            Published<T>("ActivePage", &T::ActivePage, &T::SetActivePage),
                            Published<T>("MultiLine", &T::MultiLine, &T::SetMultiLine).Default(false),
                            Published<T>("OwnerDraw", &T::OwnerDraw, &T::SetOwnerDraw).Default(false),
                            Published<T>("Style", &T::Style, &T::SetStyle).Default(tsTabs),
                            Published<T>("TabHeight", &T::TabHeight, &T::SetTabHeight).Default(0),
                            Published<T>("TabPosition", &T::TabPosition, &T::SetTabPosition).Default(tpTop),
                            Published<T>("TabWidth", &T::TabWidth, &T::SetTabWidth).Default(0),
                            Published<T>("OnChange", &T::FOnChange, &T::FOnChange),
                            Published<T>("OnChanging", &T::FOnChanging, &T::FOnChanging),
                            Published<T>("OnDrawTab", &T::FOnDrawTab, &T::FOnDrawTab),
                        });
    return info;
}

void RegisterPageControlClasses(TClassRegistry& classes)
{
    classes.RegisterClass(TPageControl::StaticClass());
    classes.RegisterClass(TTabSheet::StaticClass());
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    return index >= 0 && index < PageCount() ? FPages[static_cast<std::size_t>(index)] : nullptr;
}

int TPageControl::ActivePageIndex() const
{
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int value)
{
    SetActivePage(Pages(value));
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const
{
    if (tabIndex < 0)
        return nullptr;
    int tab = 0;
    for (TTabSheet* page : FPages) {
        if (!page->TabVisible())
            continue;
        if (tab == tabIndex)
            return page;
        ++tab;
    }
    return nullptr;
}

int TPageControl::TabIndexForPage(const TTabSheet& page) const
{
    int tab = 0;
    for (TTabSheet* p : FPages) {
        if (p == &page)
            return tab;
        if (p->TabVisible())
            ++tab;
    }
    return tab;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this)
        return;
    if (page == FActivePage) {
        if (page)
            SetTabIndex(page->TabIndex());
        return;
    }
    TTabSheet* old = FActivePage;
    FActivePage = page;
    if (page) {
        PlacePages();
        page->SetVisible(true);
    }
    if (old)
        old->SetVisible(false);
    SetTabIndex(page ? page->TabIndex() : -1);
    Invalidate();
}

void TPageControl::SelectNextPage(bool forward)
{
    const int count = PageCount();
    if (count == 0)
        return;
    int start = ActivePageIndex();
    if (start < 0)
        start = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((start + (forward ? step : -step)) % count + count) % count;
        TTabSheet* page = FPages[static_cast<std::size_t>(i)];
        if (page->TabVisible() && page->Enabled()) {
            if (page != FActivePage && CanChange()) {
                SetActivePage(page);
                TCustomTabControl::Change();
            }
            return;
        }
    }
}

void TPageControl::Change()
{
    // The user picked a tab: its page becomes the active one, then OnChange.
    TTabSheet* page = PageOfTab(TabIndex());
    if (page && page != FActivePage) {
        TTabSheet* old = FActivePage;
        FActivePage = page;
        PlacePages();
        page->SetVisible(true);
        if (old)
            old->SetVisible(false);
    }
    TCustomTabControl::Change();
}

bool TPageControl::TabEnabled(int index) const
{
    const TTabSheet* page = PageOfTab(index);
    return !page || page->Enabled();
}

void TPageControl::LayoutChanged()
{
    PlacePages();
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    if (!FActivePage) {
        for (TTabSheet* page : FPages)
            if (page->TabVisible()) {
                SetActivePage(page);
                break;
            }
    }
    PlacePages();
}

void TPageControl::PlacePages()
{
    if (FPages.empty())
        return;
    const TRect display = DisplayRect();
    for (TTabSheet* page : FPages)
        page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
}

void TPageControl::InsertPage(TTabSheet& page, int index)
{
    index = std::clamp(index, 0, PageCount());
    FPages.insert(FPages.begin() + index, &page);
    page.FPageControl = this;
    page.FVisible = false;
    if (page.TabVisible())
        InsertTab(TabIndexForPage(page), page.Caption(), page.ImageIndex());
    PlacePages();
    if (!FActivePage && page.TabVisible())
        SetActivePage(&page);
}

void TPageControl::RemovePage(TTabSheet& page)
{
    const auto it = std::find(FPages.begin(), FPages.end(), &page);
    if (it == FPages.end())
        return;
    const int tab = page.TabIndex();
    const int index = static_cast<int>(it - FPages.begin());
    FPages.erase(it);
    page.FPageControl = nullptr;
    if (tab >= 0)
        DeleteTab(tab);
    if (FActivePage == &page) {
        FActivePage = nullptr;
        // The next page with a tab takes its place, else the one before.
        TTabSheet* next = nullptr;
        for (int i = index; i < PageCount() && !next; ++i)
            if (FPages[static_cast<std::size_t>(i)]->TabVisible())
                next = FPages[static_cast<std::size_t>(i)];
        for (int i = index - 1; i >= 0 && !next; --i)
            if (FPages[static_cast<std::size_t>(i)]->TabVisible())
                next = FPages[static_cast<std::size_t>(i)];
        if (next && !(ComponentState().Contains(csDestroying)))
            SetActivePage(next);
        else
            SetTabIndex(-1);
    } else if (FActivePage) {
        SetTabIndex(FActivePage->TabIndex());
    }
}

void TPageControl::MovePage(TTabSheet& page, int index)
{
    const auto it = std::find(FPages.begin(), FPages.end(), &page);
    if (it == FPages.end())
        return;
    index = std::clamp(index, 0, PageCount() - 1);
    if (it - FPages.begin() == index)
        return;
    const int oldTab = page.TabIndex();
    const int image = TabImageIndex(oldTab);
    FPages.erase(it);
    FPages.insert(FPages.begin() + index, &page);
    if (oldTab >= 0) {
        DeleteTab(oldTab);
        InsertTab(page.TabIndex(), page.Caption(), image);
    }
    if (FActivePage)
        SetTabIndex(FActivePage->TabIndex());
}

void TPageControl::PageTabChanged(TTabSheet& page)
{
    const int tab = TabIndexForPage(page);
    if (page.TabVisible()) {
        InsertTab(tab, page.Caption(), page.ImageIndex());
        if (!FActivePage)
            SetActivePage(&page);
    } else {
        DeleteTab(tab);
    }
    if (FActivePage)
        SetTabIndex(FActivePage->TabIndex());
}

void TPageControl::PageCaptionChanged(TTabSheet& page)
{
    const int tab = page.TabIndex();
    if (tab >= 0)
        SetTabCaption(tab, page.Caption());
}
