#pragma once

#include "ui/TabControlTypes.h"

#include "gfx/Geometry.h"

#include <cstdint>
#include <vector>

// Where a tab control puts its tabs, computed from its style bits, its client rectangle and
// the extent of each caption in its own font, the way the platform's tab control does it:
//
// - A tab is the caption's width plus 6 pixels on either side (plus the glyph and 3 pixels
//   when the control has glyphs) long, and the caption's height plus 7 thick; a fixed
//   TabWidth or TabHeight replaces either. Buttons keep 3 pixels between each other.
// - Tabs run along the side named by the style bits (top, TCS_BOTTOM, TCS_VERTICAL for the
//   left side, TCS_VERTICAL | TCS_RIGHT for the right side), from 2 pixels after the corner.
// - With TCS_MULTILINE, and always on the left and right, tabs that do not fit wrap into
//   further rows, and every row of several is stretched to the full length. The row that
//   holds the selected tab lies next to the page; row 0 is that row, higher rows lie further
//   out. Without it one row runs on past the edge and is cut there.
// - The page frame is the client area less the rows and a 2-pixel margin for the selected
//   tab, which is drawn 2 pixels larger on every side so that it covers the frame's edge;
//   the pages fill the frame less 4 pixels on every side.
// - A single row of tabs on the top or bottom that does not fit scrolls: two arrow buttons,
//   each 16 pixels wide, take the end of the row, and the row starts at tab FirstVisible
//   (the ones before it lie left of the control), at most MaxFirstVisible, where the last
//   tab has come into view.
struct TTabLayoutInput {
    std::uint32_t StyleBits = 0;
    TRect Client;
    std::vector<int> TextWidths; // one per tab
    int TextHeight = 0;
    int TabWidth = 0;   // 0: from the caption
    int TabHeight = 0;  // 0: from the font
    int GlyphWidth = 0; // 0: no glyphs
    int GlyphHeight = 0;
    int Selected = -1;
    int FirstVisible = 0;
};

struct TTabLayout {
    TTabPosition Position = tpTop;
    bool Buttons = false;
    std::vector<TRect> Items; // each tab's item rectangle
    std::vector<int> Rows;    // each tab's row, 0 next to the page
    int RowCount = 0;
    TRect PageFrame;   // the frame around the pages
    TRect DisplayRect; // where the pages lie
    bool Scrolling = false;
    TRect ScrollBack;    // the arrow button that shows earlier tabs
    TRect ScrollForward; // the arrow button that shows later tabs
    int FirstVisible = 0;
    int MaxFirstVisible = 0;
};

// The side the style bits put the tabs on.
TTabPosition TabPositionFromStyle(std::uint32_t styleBits);

TTabLayout LayoutTabs(const TTabLayoutInput& input);

// The rectangle tab index is drawn in: its item rectangle, 2 pixels larger on every side
// for the selected tab of a control with tabs (buttons are drawn in their own rectangle).
// Empty for an index out of range.
TRect TabDrawRect(const TTabLayout& layout, int index, int selected);

// The tab at point, the selected one first since it is drawn over its neighbours; -1 for none.
int TabAtPoint(const TTabLayout& layout, TPoint point, int selected);
