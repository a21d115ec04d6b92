#pragma once

#include "ui/WinControl.h"

class TPageControl;

// One page of a page control: a control that holds the page's controls, shown while its tab
// is the selected one. Its Caption is the tab's caption; TabVisible false leaves the page
// without a tab; ImageIndex is the image its tab starts with.
class TTabSheet : public TWinControl {
public:
    VELTRANE_CLASS_INFO

    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    // Moves the sheet to another page control (null: to none), as its last page.
    void SetPageControl(TPageControl* pageControl);
    // The sheet's place among its page control's pages (-1 without one).
    int PageIndex() const;
    void SetPageIndex(int value);
    // The index of the sheet's tab (-1 when it has none).
    int TabIndex() const;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);

    void SetParentComponent(TComponent* parent) override;

protected:
    void TextChanged() override;
    void EnabledChanged() override;

private:
    friend class TPageControl;

    TPageControl* FPageControl = nullptr;
    int FImageIndex = 0;
    bool FTabVisible = true;
};
