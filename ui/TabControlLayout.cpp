#include "ui/TabControlLayout.h"

#include <algorithm>

namespace {

constexpr int PadX = 6;
constexpr int PadY = 3;
constexpr int Margin = 2;
constexpr int ButtonGap = 3;
constexpr int PageInset = 4;
constexpr int SelectedGrowth = 2;
constexpr int ArrowWidth = 16;

} // namespace

TTabPosition TabPositionFromStyle(std::uint32_t styleBits)
{
    if (styleBits & TCS_VERTICAL)
        return (styleBits & TCS_RIGHT) ? tpRight : tpLeft;
    return (styleBits & TCS_BOTTOM) ? tpBottom : tpTop;
}

TTabLayout LayoutTabs(const TTabLayoutInput& input)
{
    TTabLayout layout;
    layout.Position = TabPositionFromStyle(input.StyleBits);
    layout.Buttons = (input.StyleBits & TCS_BUTTONS) != 0;
    const bool vertical = layout.Position == tpLeft || layout.Position == tpRight;
    const bool wrap = vertical || (input.StyleBits & TCS_MULTILINE) != 0;
    const int count = static_cast<int>(input.TextWidths.size());
    const int gap = layout.Buttons ? ButtonGap : 0;
    const TRect& client = input.Client;

    const int thickness =
        input.TabHeight > 0 ? input.TabHeight : std::max(input.TextHeight, input.GlyphHeight) + 2 * PadY + 1;
    std::vector<int> lengths(count);
    for (int i = 0; i < count; ++i) {
        lengths[i] = input.TabWidth > 0 ? input.TabWidth
                                        : std::max(0, input.TextWidths[i]) + 2 * PadX +
                                              (input.GlyphWidth > 0 ? input.GlyphWidth + 3 : 0);
    }

    // Rows in tab order; then the selected tab's row moves next to the page.
    const int available = std::max(0, (vertical ? client.Height() : client.Width()) - 2 * Margin);
    std::vector<std::vector<int>> rows;
    int used = 0;
    for (int i = 0; i < count; ++i) {
        const int need = lengths[i] + (rows.empty() || rows.back().empty() ? 0 : gap);
        if (rows.empty() || (wrap && !rows.back().empty() && used + need > available)) {
            rows.emplace_back();
            used = 0;
        }
        used += rows.back().empty() ? lengths[i] : lengths[i] + gap;
        rows.back().push_back(i);
    }
    const int rowCount = static_cast<int>(rows.size());
    layout.RowCount = rowCount;
    layout.Items.assign(count, TRect{});
    layout.Rows.assign(count, 0);
    int selectedRow = 0;
    for (int r = 0; r < rowCount; ++r)
        for (int i : rows[r])
            if (i == input.Selected)
                selectedRow = r;

    // A single row that does not fit scrolls between two arrow buttons at its end.
    int scrollOffset = 0;
    if (!wrap && rowCount == 1 && used > available) {
        layout.Scrolling = true;
        const int room = std::max(0, available - 2 * ArrowWidth);
        int maxFirst = count - 1;
        int tail = lengths[count - 1];
        while (maxFirst > 0 && tail + gap + lengths[maxFirst - 1] <= room) {
            --maxFirst;
            tail += gap + lengths[maxFirst];
        }
        layout.MaxFirstVisible = maxFirst;
        layout.FirstVisible = std::clamp(input.FirstVisible, 0, maxFirst);
        for (int i = 0; i < layout.FirstVisible; ++i)
            scrollOffset += lengths[i] + gap;
    }

    const int pitch = thickness + gap;
    const int area = rowCount > 0 ? Margin + rowCount * pitch : 0;
    for (int r = 0; r < rowCount; ++r) {
        const int row = (r - selectedRow + rowCount) % rowCount;
        // Stretch rows to the full length when there are several.
        int extra = 0;
        const int n = static_cast<int>(rows[r].size());
        if (rowCount > 1) {
            int total = 0;
            for (int i : rows[r])
                total += lengths[i];
            total += gap * (n - 1);
            extra = std::max(0, available - total);
        }
        // Across the row: where this row starts, from the control's edge.
        int across;
        switch (layout.Position) {
        case tpTop:
            across = client.Top + Margin + (rowCount - 1 - row) * pitch;
            break;
        case tpBottom:
            across = client.Bottom - area + row * pitch + gap;
            break;
        case tpLeft:
            across = client.Left + Margin + (rowCount - 1 - row) * pitch;
            break;
        case tpRight:
        default:
            across = client.Right - area + row * pitch + gap;
            break;
        }
        int along = (vertical ? client.Top : client.Left) + Margin - scrollOffset;
        if (layout.Scrolling) {
            const int right = client.Right - Margin;
            layout.ScrollBack = Rect(right - 2 * ArrowWidth, across, right - ArrowWidth, across + thickness - 2);
            layout.ScrollForward = Rect(right - ArrowWidth, across, right, across + thickness - 2);
            if (layout.Position == tpBottom) {
                layout.ScrollBack.Top += 2;
                layout.ScrollBack.Bottom += 2;
                layout.ScrollForward.Top += 2;
                layout.ScrollForward.Bottom += 2;
            }
        }
        for (int k = 0; k < n; ++k) {
            const int i = rows[r][k];
            const int length = lengths[i] + extra / n + (k < extra % n ? 1 : 0);
            layout.Items[i] =
                vertical ? Bounds(across, along, thickness, length) : Bounds(along, across, length, thickness);
            layout.Rows[i] = row;
            along += length + gap;
        }
    }

    TRect frame = client;
    switch (layout.Position) {
    case tpTop:
        frame.Top += area;
        break;
    case tpBottom:
        frame.Bottom -= area;
        break;
    case tpLeft:
        frame.Left += area;
        break;
    case tpRight:
        frame.Right -= area;
        break;
    }
    if (frame.Right < frame.Left)
        frame.Right = frame.Left;
    if (frame.Bottom < frame.Top)
        frame.Bottom = frame.Top;
    layout.PageFrame = frame;
    TRect display{frame.Left + PageInset, frame.Top + PageInset, frame.Right - PageInset, frame.Bottom - PageInset};
    if (display.Right < display.Left)
        display.Right = display.Left;
    if (display.Bottom < display.Top)
        display.Bottom = display.Top;
    layout.DisplayRect = display;
    return layout;
}

TRect TabDrawRect(const TTabLayout& layout, int index, int selected)
{
    if (index < 0 || index >= static_cast<int>(layout.Items.size()))
        return TRect{};
    TRect r = layout.Items[index];
    if (index == selected && !layout.Buttons) {
        r.Left -= SelectedGrowth;
        r.Top -= SelectedGrowth;
        r.Right += SelectedGrowth;
        r.Bottom += SelectedGrowth;
    }
    return r;
}

int TabAtPoint(const TTabLayout& layout, TPoint point, int selected)
{
    if (layout.Scrolling && (layout.ScrollBack.Contains(point) || layout.ScrollForward.Contains(point)))
        return -1;
    if (TabDrawRect(layout, selected, selected).Contains(point))
        return selected;
    for (int i = 0; i < static_cast<int>(layout.Items.size()); ++i)
        if (layout.Items[i].Contains(point))
            return i;
    return -1;
}
