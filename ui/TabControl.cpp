#include "ui/TabControl.h"

#include "classes/Published.h"

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/DrawText.h"

#include <algorithm>

const TClassInfo& TCustomTabControl::StaticClass()
{
    static const TClassInfo info = MakeClass<TCustomTabControl, TCustomControl>("TCustomTabControl", {});
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks};
    FColor = clBtnFace;
    FTabStop = true;
    SetBounds(0, 0, 289, 193);
}

const std::string& TCustomTabControl::TabCaption(int index) const
{
    static const std::string none;
    return index >= 0 && index < TabCount() ? FTabs[static_cast<std::size_t>(index)].Caption : none;
}

int TCustomTabControl::TabImageIndex(int index) const
{
    return index >= 0 && index < TabCount() ? FTabs[static_cast<std::size_t>(index)].ImageIndex : -1;
}

void TCustomTabControl::SetTabImageIndex(int index, int imageIndex)
{
    if (index < 0 || index >= TabCount())
        return;
    FTabs[static_cast<std::size_t>(index)].ImageIndex = imageIndex;
}

TRect TCustomTabControl::TabRect(int index)
{
    const TTabLayout& layout = Layout();
    return index >= 0 && index < static_cast<int>(layout.Items.size()) ? layout.Items[static_cast<std::size_t>(index)]
                                                                       : TRect{};
}

int TCustomTabControl::IndexOfTabAt(int x, int y)
{
    return TabAtPoint(Layout(), TPoint{x, y}, FTabIndex);
}

void TCustomTabControl::SetTabIndex(int value)
{
    if (value < -1 || value >= TabCount())
        value = -1;
    if (value == FTabIndex)
        return;
    FTabIndex = value;
    // The selected row moves next to the page when tabs wrap.
    if (FLayoutValid && FLayout.RowCount > 1)
        InvalidateLayout();
    ScrollSelectedIntoView();
    Invalidate();
}

void TCustomTabControl::SetFirstVisibleTab(int value)
{
    if (value < 0)
        value = 0;
    if (value == FFirstVisible)
        return;
    FFirstVisible = value;
    FLayoutValid = false;
    Layout();
    FFirstVisible = FLayout.FirstVisible;
    Invalidate();
}

void TCustomTabControl::ScrollSelectedIntoView()
{
    if (!FLayoutValid || !FLayout.Scrolling || FTabIndex < 0)
        return;
    if (FTabIndex < FFirstVisible) {
        SetFirstVisibleTab(FTabIndex);
        return;
    }
    while (FFirstVisible < FLayout.MaxFirstVisible &&
           FLayout.Items[static_cast<std::size_t>(FTabIndex)].Right > FLayout.ScrollBack.Left)
        SetFirstVisibleTab(FFirstVisible + 1);
}

TRect TCustomTabControl::DisplayRect()
{
    return Layout().DisplayRect;
}

const TTabLayout& TCustomTabControl::Layout()
{
    if (FLayoutValid)
        return FLayout;
    TTabLayoutInput input;
    input.StyleBits = StyleBits();
    input.Client = ClientRect();
    input.TabWidth = FTabWidth;
    input.TabHeight = FTabHeight;
    const TSize imageSize = ImageSize();
    input.GlyphWidth = imageSize.cx;
    input.GlyphHeight = imageSize.cy;
    input.Selected = FTabIndex;
    input.FirstVisible = FFirstVisible;
    TBitmap scratch(1, 1);
    TCanvas& measure = scratch.Canvas();
    measure.SetFont(Font());
    input.TextHeight = measure.GetTextMetrics().tmHeight;
    for (const TTabItem& tab : FTabs)
        input.TextWidths.push_back(measure.TextWidth(tab.Caption));
    FLayout = LayoutTabs(input);
    FLayoutValid = true;
    LayoutChanged();
    return FLayout;
}

void TCustomTabControl::InvalidateLayout()
{
    const bool was = FLayoutValid;
    FLayoutValid = false;
    if (was)
        Layout(); // re-place what depends on it (pages) at once
}

void TCustomTabControl::SetTabPosition(TTabPosition value)
{
    if (value == FTabPosition)
        return;
    FTabPosition = value;
    RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle value)
{
    if (value == FStyle)
        return;
    FStyle = value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value)
{
    if (value == FMultiLine)
        return;
    FMultiLine = value;
    RecreateWnd();
}

void TCustomTabControl::SetTabHeight(int value)
{
    if (value < 0)
        value = 0;
    if (value == FTabHeight)
        return;
    FTabHeight = value;
    RecreateWnd();
}

void TCustomTabControl::SetTabWidth(int value)
{
    if (value < 0)
        value = 0;
    if (value == FTabWidth)
        return;
    FTabWidth = value;
    RecreateWnd();
}

void TCustomTabControl::SetOwnerDraw(bool value)
{
    if (value == FOwnerDraw)
        return;
    FOwnerDraw = value;
    RecreateWnd();
}

void TCustomTabControl::SetImageSize(int width, int height)
{
    if (width == FImageWidth && height == FImageHeight)
        return;
    FImageWidth = width > 0 ? width : 0;
    FImageHeight = height > 0 ? height : 0;
    RecreateWnd();
}

std::uint32_t TCustomTabControl::StyleBits() const
{
    std::uint32_t bits = 0;
    switch (FTabPosition) {
    case tpTop:
        break;
    case tpBottom:
        bits |= TCS_BOTTOM;
        break;
    case tpLeft:
        bits |= TCS_VERTICAL;
        break;
    case tpRight:
        bits |= TCS_VERTICAL | TCS_RIGHT;
        break;
    }
    if (FStyle == tsButtons)
        bits |= TCS_BUTTONS;
    else if (FStyle == tsFlatButtons)
        bits |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (FMultiLine)
        bits |= TCS_MULTILINE;
    if (FOwnerDraw)
        bits |= TCS_OWNERDRAWFIXED;
    if (!FTabStop)
        bits |= TCS_FOCUSNEVER;
    return bits;
}

void TCustomTabControl::RecreateWnd()
{
    FLayoutValid = false;
    Layout();
    Invalidate();
}

void TCustomTabControl::SetBounds(int left, int top, int width, int height)
{
    const bool resized = width != Width() || height != Height();
    TCustomControl::SetBounds(left, top, width, height);
    if (resized && FLayoutValid)
        InvalidateLayout();
}

void TCustomTabControl::InsertTab(int index, const std::string& caption, int imageIndex)
{
    if (index < 0 || index > TabCount())
        index = TabCount();
    FTabs.insert(FTabs.begin() + index, TTabItem{caption, imageIndex});
    if (FTabIndex >= index)
        ++FTabIndex;
    TabInserted(index);
    InvalidateLayout();
    Invalidate();
}

void TCustomTabControl::DeleteTab(int index)
{
    if (index < 0 || index >= TabCount())
        return;
    FTabs.erase(FTabs.begin() + index);
    if (FTabIndex == index)
        FTabIndex = -1;
    else if (FTabIndex > index)
        --FTabIndex;
    InvalidateLayout();
    Invalidate();
}

void TCustomTabControl::SetTabCaption(int index, const std::string& caption)
{
    if (index < 0 || index >= TabCount())
        return;
    if (FTabs[static_cast<std::size_t>(index)].Caption == caption)
        return;
    FTabs[static_cast<std::size_t>(index)].Caption = caption;
    InvalidateLayout();
    Invalidate();
}

void TCustomTabControl::ClearTabs()
{
    FTabs.clear();
    FTabIndex = -1;
    InvalidateLayout();
    Invalidate();
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (FOnChanging)
        FOnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TCustomTabControl::DrawTab(const TDrawItemStruct& drawItem)
{
    if (FOnDrawTab)
        FOnDrawTab(this, drawItem.ItemID, drawItem.ItemRect, (drawItem.ItemState & ODS_SELECTED) != 0);
}

bool TCustomTabControl::SelectTabByUser(int index)
{
    if (index < 0 || index >= TabCount() || index == FTabIndex || !TabEnabled(index))
        return false;
    if (!CanChange())
        return false;
    SetTabIndex(index);
    Change();
    return true;
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    const TTabLayout& layout = Layout();
    if (layout.Scrolling) {
        if (layout.ScrollBack.Contains(TPoint{x, y})) {
            SetFirstVisibleTab(FFirstVisible - 1);
            return;
        }
        if (layout.ScrollForward.Contains(TPoint{x, y})) {
            SetFirstVisibleTab(std::min(FFirstVisible + 1, layout.MaxFirstVisible));
            return;
        }
    }
    const int index = IndexOfTabAt(x, y);
    if (index >= 0)
        SelectTabByUser(index);
}

bool TCustomTabControl::WantsKey(std::uint16_t key, TShiftState shift) const
{
    return (shift & (ssAlt | ssCtrl)) == 0 && (key == vkLeft || key == vkRight || key == vkUp || key == vkDown);
}

void TCustomTabControl::KeyDown(std::uint16_t& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    int step = 0;
    if (key == vkLeft || key == vkUp)
        step = -1;
    else if (key == vkRight || key == vkDown)
        step = 1;
    if (step == 0 || TabCount() == 0)
        return;
    for (int i = FTabIndex + step; i >= 0 && i < TabCount(); i += step)
        if (TabEnabled(i)) {
            SelectTabByUser(i);
            break;
        }
    key = 0;
}

void TCustomTabControl::FontChanged()
{
    RecreateWnd();
    TCustomControl::FontChanged();
}

void TCustomTabControl::Resized()
{
    InvalidateLayout();
    TCustomControl::Resized();
}

void TCustomTabControl::PaintFrame(TCanvas& canvas, const TRect& frame)
{
    if (frame.IsEmpty())
        return;
    TCanvasState keep(canvas);
    TPen pen;
    auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
        pen.SetColor(color);
        canvas.SetPen(pen);
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    const int l = frame.Left, t = frame.Top, r = frame.Right - 1, b = frame.Bottom - 1;
    line(clBtnHighlight, l, b, l, t);
    line(clBtnHighlight, l, t, r, t);
    line(cl3DDkShadow, r, t, r, b);
    line(cl3DDkShadow, r, b, l - 1, b);
    line(cl3DLight, l + 1, b - 1, l + 1, t + 1);
    line(cl3DLight, l + 1, t + 1, r - 1, t + 1);
    line(clBtnShadow, r - 1, t + 1, r - 1, b - 1);
    line(clBtnShadow, r - 1, b - 1, l, b - 1);
}

void TCustomTabControl::PaintNativeTab(TCanvas& canvas, const TRect& rect, bool selected)
{
    if (rect.IsEmpty())
        return;
    TCanvasState keep(canvas);
    TBrush brush;
    brush.SetColor(Color());
    canvas.SetBrush(brush);
    canvas.FillRect(rect);
    const bool buttons = FLayout.Buttons;
    TPen pen;
    auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
        pen.SetColor(color);
        canvas.SetPen(pen);
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    const int l = rect.Left, t = rect.Top, r = rect.Right - 1, b = rect.Bottom - 1;
    if (buttons) {
        // A raised button, pushed in when selected.
        const TColor light = selected ? cl3DDkShadow : clBtnHighlight;
        const TColor dark = selected ? clBtnHighlight : cl3DDkShadow;
        if (FStyle == tsFlatButtons && !selected)
            return;
        line(light, l, b, l, t);
        line(light, l, t, r, t);
        line(dark, r, t, r, b);
        line(dark, r, b, l - 1, b);
        return;
    }
    // Light on the left and the outer edge, dark on the right; the edge at the page stays open.
    switch (FLayout.Position) {
    case tpTop:
        line(clBtnHighlight, l, b + 1, l, t + 2);
        line(clBtnHighlight, l + 1, t + 1, l + 2, t);
        line(clBtnHighlight, l + 2, t, r - 1, t);
        line(clBtnShadow, r - 1, t + 1, r - 1, b + 1);
        line(cl3DDkShadow, r, t + 2, r, b + 1);
        break;
    case tpBottom:
        line(clBtnHighlight, l, t, l, b - 1);
        line(cl3DDkShadow, l + 2, b, r - 1, b);
        line(clBtnShadow, l + 1, b - 1, r - 1, b - 1);
        line(cl3DDkShadow, r, t, r, b - 1);
        line(clBtnShadow, r - 1, t, r - 1, b - 1);
        break;
    case tpLeft:
        line(clBtnHighlight, r + 1, t, l + 2, t);
        line(clBtnHighlight, l + 1, t + 1, l, t + 2);
        line(clBtnHighlight, l, t + 2, l, b - 1);
        line(clBtnShadow, l + 1, b - 1, r + 1, b - 1);
        line(cl3DDkShadow, l + 2, b, r + 1, b);
        break;
    case tpRight:
        line(clBtnHighlight, l, t, r - 1, t);
        line(cl3DDkShadow, r, t + 2, r, b - 1);
        line(clBtnShadow, r - 1, t + 1, r - 1, b - 1);
        line(cl3DDkShadow, l, b, r - 1, b);
        line(clBtnShadow, l, b - 1, r - 1, b - 1);
        break;
    }
}

void TCustomTabControl::Paint()
{
    TCanvas& canvas = Canvas();
    const TTabLayout& layout = Layout();
    {
        TCanvasState keep(canvas);
        TBrush brush;
        brush.SetColor(Color());
        canvas.SetBrush(brush);
        canvas.FillRect(ClientRect());
    }
    if (!layout.Buttons)
        PaintFrame(canvas, layout.PageFrame);

    const std::uint32_t bits = StyleBits();
    const bool ownerDraw = (bits & TCS_OWNERDRAWFIXED) != 0;
    auto paintTab = [&](int i) {
        const bool selected = i == FTabIndex;
        const TRect rect = TabDrawRect(layout, i, FTabIndex);
        PaintNativeTab(canvas, rect, selected);
        if (ownerDraw) {
            TDrawItemStruct item;
            item.CtlType = ODT_TAB;
            item.ItemID = i;
            item.ItemState = (selected ? ODS_SELECTED : 0) | (!EnabledInTree() || !TabEnabled(i) ? ODS_DISABLED : 0);
            item.Canvas = &canvas;
            item.ItemRect = rect;
            TCanvasState keep(canvas);
            DrawTab(item);
            return;
        }
        TCanvasState keep(canvas);
        canvas.SetBkMode(bmTransparent);
        canvas.SetTextColor(EnabledInTree() && TabEnabled(i) ? ColorToRGB(Font().Color()) : ColorToRGB(clGrayText));
        TRect text = rect;
        canvas.DrawText(TabCaption(i), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    };
    for (int i = 0; i < TabCount(); ++i)
        if (i != FTabIndex)
            paintTab(i);
    if (FTabIndex >= 0)
        paintTab(FTabIndex);
    if (layout.Scrolling)
        PaintScrollArrows(canvas);
}

void TCustomTabControl::PaintScrollArrows(TCanvas& canvas)
{
    TCanvasState keep(canvas);
    const TTabLayout& layout = FLayout;
    for (int k = 0; k < 2; ++k) {
        const TRect r = k == 0 ? layout.ScrollBack : layout.ScrollForward;
        const bool enabled = k == 0 ? FFirstVisible > 0 : FFirstVisible < layout.MaxFirstVisible;
        TBrush brush;
        brush.SetColor(clBtnFace);
        canvas.SetBrush(brush);
        canvas.FillRect(r);
        TPen pen;
        auto line = [&](TColor color, int x0, int y0, int x1, int y1) {
            pen.SetColor(color);
            canvas.SetPen(pen);
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
        };
        line(clBtnHighlight, r.Left, r.Bottom - 1, r.Left, r.Top);
        line(clBtnHighlight, r.Left, r.Top, r.Right - 1, r.Top);
        line(cl3DDkShadow, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
        line(cl3DDkShadow, r.Right - 1, r.Bottom - 1, r.Left - 1, r.Bottom - 1);
        // A small triangle pointing back or forward.
        const TColor arrow = enabled ? clBtnText : clGrayText;
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        for (int i = 0; i < 4; ++i) {
            const int x = k == 0 ? cx - 2 + i : cx + 1 - i;
            line(arrow, x, cy - i, x, cy + i + 1);
        }
    }
}
