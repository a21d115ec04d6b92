#pragma once

#include "ui/TabControl.h"

#include <vector>

class TTabSheet;

// A tab control whose tabs choose among pages (TTabSheet). Each page with TabVisible has a
// tab, in page order; the active page fills the display rectangle and the others are hidden.
// A click on a tab makes its page active (after OnChanging allows it) and raises OnChange.
class TPageControl : public TCustomTabControl {
public:
    VELTRANE_CLASS_INFO

    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows page (one of this control's, or null for none) and selects its tab.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The page of tab index, or null.
    TTabSheet* PageOfTab(int tabIndex) const;
    // Makes the next (or previous) page with a tab active, wrapping around.
    void SelectNextPage(bool forward);

protected:
    void Change() override;
    bool TabEnabled(int index) const override;
    void LayoutChanged() override;
    void Loaded() override;

private:
    friend class TTabSheet;

    void InsertPage(TTabSheet& page, int index);
    void RemovePage(TTabSheet& page);
    void MovePage(TTabSheet& page, int index);
    // The tab index a page has or would have among the pages before it.
    int TabIndexForPage(const TTabSheet& page) const;
    void PageTabChanged(TTabSheet& page); // TabVisible changed
    void PageCaptionChanged(TTabSheet& page);
    void PlacePages();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

class TClassRegistry;
// Registers TPageControl and TTabSheet for form definitions.
void RegisterPageControlClasses(TClassRegistry& classes);
