#pragma once

#include "ui/CustomControl.h"
#include "ui/TabControlLayout.h"
#include "ui/TabControlTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;
using TDrawTabEvent = std::function<void(TObject* sender, int tabIndex, const TRect& rect, bool active)>;

// A row of tabs along one side of a page frame, laid out from the captions and the control's
// own font (ui/TabControlLayout.h), one of them selected. A click on a tab selects it: the
// control asks CanChange (OnChanging), selects the tab and runs Change (OnChange).
//
// Painting: the control fills itself with its colour, draws the page frame and every tab in
// the platform's look, the selected one last. With TCS_OWNERDRAWFIXED in its style bits it
// then hands each tab to DrawTab with a draw-item record (ODT_TAB, the tab's index, its state:
// ODS_SELECTED, ODS_DISABLED while the control or the tab is disabled, the control's canvas and
// the rectangle the tab is drawn in). The style bits come from StyleBits(), which derived
// classes extend; RecreateWnd() applies changed bits (tabs, captions and selection survive).
class TCustomTabControl : public TCustomControl {
public:
    VELTRANE_CLASS_INFO

    explicit TCustomTabControl(TComponent* owner);

    // --- tabs ------------------------------------------------------------------------
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    const std::string& TabCaption(int index) const;
    // The tab's image index (-1: none); setting an index out of range does nothing.
    int TabImageIndex(int index) const;
    void SetTabImageIndex(int index, int imageIndex);
    // The tab's item rectangle (empty for an index out of range).
    TRect TabRect(int index);
    // The tab at a client point, -1 for none.
    int IndexOfTabAt(int x, int y);
    // The selected tab, -1 for none. Setting it selects without asking or notifying.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int value);
    // Where the pages lie inside the frame.
    TRect DisplayRect();
    // The first tab shown when a single row of tabs scrolls (see TTabLayoutInput).
    int FirstVisibleTab() const { return FFirstVisible; }
    void SetFirstVisibleTab(int value);
    const TTabLayout& Layout();

    // --- appearance ------------------------------------------------------------------
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    // The glyph size the layout leaves room for (0: no glyphs).
    void SetImageSize(int width, int height);
    virtual TSize ImageSize() const { return TSize{FImageWidth, FImageHeight}; }

    // The style bits the tabs are laid out and drawn with.
    virtual std::uint32_t StyleBits() const;
    // Takes the current style bits: lays the tabs out again and repaints.
    void RecreateWnd();

    void SetBounds(int left, int top, int width, int height) override;
    // The arrow keys move between tabs while the control has the focus.
    bool WantsKey(std::uint16_t key, TShiftState shift) const override;

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
    const TTabChangingEvent& OnChanging() const { return FOnChanging; }
    void SetOnChanging(TTabChangingEvent handler) { FOnChanging = std::move(handler); }
    const TDrawTabEvent& OnDrawTab() const { return FOnDrawTab; }
    void SetOnDrawTab(TDrawTabEvent handler) { FOnDrawTab = std::move(handler); }

protected:
    // Tab items: insertion runs TabInserted afterwards.
    void InsertTab(int index, const std::string& caption, int imageIndex);
    void DeleteTab(int index);
    void SetTabCaption(int index, const std::string& caption);
    void ClearTabs();
    // A tab was inserted at index (after the item exists).
    virtual void TabInserted(int /*index*/) {}
    // Whether a tab can be selected by the user.
    virtual bool TabEnabled(int /*index*/) const { return true; }

    virtual bool CanChange();
    virtual void Change();
    // The owner-draw notification of one tab; raises OnDrawTab by default.
    virtual void DrawTab(const TDrawItemStruct& drawItem);
    // The layout changed (tabs moved, the display rectangle may have changed).
    virtual void LayoutChanged() {}

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void FontChanged() override;
    void Resized() override;

    // Tabs need a new layout at the next use.
    void InvalidateLayout();

    TNotifyEvent FOnChange;
    TTabChangingEvent FOnChanging;
    TDrawTabEvent FOnDrawTab;

private:
    struct TTabItem {
        std::string Caption;
        int ImageIndex = -1;
    };

    // Selects index as the user does: asks, selects, notifies. False when refused.
    bool SelectTabByUser(int index);
    void PaintFrame(TCanvas& canvas, const TRect& frame);
    void PaintNativeTab(TCanvas& canvas, const TRect& rect, bool selected);
    void PaintScrollArrows(TCanvas& canvas);
    // Scrolls a single row so that the selected tab can be seen.
    void ScrollSelectedIntoView();

    std::vector<TTabItem> FTabs;
    int FTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    bool FMultiLine = false;
    int FTabHeight = 0;
    int FTabWidth = 0;
    bool FOwnerDraw = false;
    int FImageWidth = 0;
    int FImageHeight = 0;
    int FFirstVisible = 0;
    TTabLayout FLayout;
    bool FLayoutValid = false;
};
