#include "ui/TabControlLayout.h"

#include <gtest/gtest.h>

namespace {

TTabLayoutInput Input(std::uint32_t bits, int w, int h, std::vector<int> widths, int selected = 0) {
    TTabLayoutInput in;
    in.StyleBits = bits;
    in.Client = Rect(0, 0, w, h);
    in.TextWidths = std::move(widths);
    in.TextHeight = 13;
    in.Selected = selected;
    return in;
}

} // namespace

TEST(TabLayout, PositionFromStyleBits) {
    EXPECT_EQ(TabPositionFromStyle(0), tpTop);
    EXPECT_EQ(TabPositionFromStyle(TCS_BOTTOM), tpBottom);
    EXPECT_EQ(TabPositionFromStyle(TCS_VERTICAL), tpLeft);
    EXPECT_EQ(TabPositionFromStyle(TCS_VERTICAL | TCS_RIGHT), tpRight);
    EXPECT_EQ(TabPositionFromStyle(TCS_OWNERDRAWFIXED | TCS_FOCUSNEVER | TCS_BOTTOM), tpBottom);
}

TEST(TabLayout, TopTabsFromCaptionWidths) {
    const TTabLayout l = LayoutTabs(Input(0, 300, 200, {30, 60, 5}));
    ASSERT_EQ(l.Items.size(), 3u);
    EXPECT_EQ(l.RowCount, 1);
    EXPECT_EQ(l.Items[0], Rect(2, 2, 44, 22)); // 30 + 12 long, 13 + 7 thick
    EXPECT_EQ(l.Items[1], Rect(44, 2, 116, 22));
    EXPECT_EQ(l.Items[2], Rect(116, 2, 133, 22));
    EXPECT_EQ(l.PageFrame, Rect(0, 22, 300, 200));
    EXPECT_EQ(l.DisplayRect, Rect(4, 26, 296, 196));
}

TEST(TabLayout, BottomTabsOfTheDialogPageControl) {
    const TTabLayout l = LayoutTabs(Input(TCS_BOTTOM | TCS_OWNERDRAWFIXED, 450, 185, {37, 70, 43}));
    EXPECT_EQ(l.Position, tpBottom);
    EXPECT_EQ(l.Items[0], Rect(2, 163, 51, 183));
    EXPECT_EQ(l.Items[2].Right, 2 + 49 + 82 + 55);
    EXPECT_EQ(l.PageFrame, Rect(0, 0, 450, 163));
    EXPECT_EQ(l.DisplayRect, Rect(4, 4, 446, 159));
}

TEST(TabLayout, SelectedTabIsDrawnLargerAndHitFirst) {
    const TTabLayout l = LayoutTabs(Input(0, 300, 100, {30, 30}, 1));
    EXPECT_EQ(TabDrawRect(l, 1, 1), Rect(42, 0, 88, 24));
    EXPECT_EQ(TabDrawRect(l, 0, 1), l.Items[0]);
    EXPECT_EQ(TabDrawRect(l, 5, 1), TRect{});
    EXPECT_EQ(TabAtPoint(l, TPoint{43, 10}, 1), 1); // inside tab 0's rectangle, under the selected tab
    EXPECT_EQ(TabAtPoint(l, TPoint{43, 10}, 0), 0);
    EXPECT_EQ(TabAtPoint(l, TPoint{10, 10}, 1), 0);
    EXPECT_EQ(TabAtPoint(l, TPoint{200, 10}, 1), -1);
    EXPECT_EQ(TabAtPoint(l, TPoint{10, 50}, 1), -1);
}

TEST(TabLayout, MultiLineWrapsStretchesAndKeepsTheSelectedRowNextToThePage) {
    // Available length 96: tabs 40 + 40 fit, the third starts row 1.
    TTabLayout l = LayoutTabs(Input(TCS_MULTILINE, 100, 100, {28, 28, 28}, 0));
    EXPECT_EQ(l.RowCount, 2);
    EXPECT_EQ(l.Rows, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(l.Items[0], Rect(2, 22, 50, 42)); // stretched: 16 spare pixels shared
    EXPECT_EQ(l.Items[1], Rect(50, 22, 98, 42));
    EXPECT_EQ(l.Items[2], Rect(2, 2, 98, 22));
    EXPECT_EQ(l.PageFrame.Top, 42);

    l = LayoutTabs(Input(TCS_MULTILINE, 100, 100, {28, 28, 28}, 2));
    EXPECT_EQ(l.Rows, (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(l.Items[2], Rect(2, 22, 98, 42));
    EXPECT_EQ(l.Items[0].Top, 2);
}

TEST(TabLayout, SingleLineRunsPastTheEdge) {
    const TTabLayout l = LayoutTabs(Input(0, 60, 100, {28, 28, 28}));
    EXPECT_EQ(l.RowCount, 1);
    EXPECT_EQ(l.Items[2], Rect(82, 2, 122, 22));
}

TEST(TabLayout, VerticalSidesWrapIntoColumns) {
    TTabLayout l = LayoutTabs(Input(TCS_VERTICAL, 200, 100, {40, 40}, 0));
    EXPECT_EQ(l.Position, tpLeft);
    EXPECT_EQ(l.RowCount, 2); // 52 + 52 > 96
    EXPECT_EQ(l.Items[0], Rect(22, 2, 42, 98));
    EXPECT_EQ(l.Items[1], Rect(2, 2, 22, 98));
    EXPECT_EQ(l.PageFrame, Rect(42, 0, 200, 100));

    l = LayoutTabs(Input(TCS_VERTICAL | TCS_RIGHT, 200, 100, {10}, 0));
    EXPECT_EQ(l.Items[0], Rect(178, 2, 198, 24));
    EXPECT_EQ(l.PageFrame, Rect(0, 0, 178, 100));
}

TEST(TabLayout, ButtonsKeepGapsAndAreNotEnlarged) {
    const TTabLayout l = LayoutTabs(Input(TCS_BUTTONS, 300, 100, {10, 10}, 1));
    EXPECT_TRUE(l.Buttons);
    EXPECT_EQ(l.Items[0], Rect(2, 2, 24, 22));
    EXPECT_EQ(l.Items[1], Rect(27, 2, 49, 22));
    EXPECT_EQ(TabDrawRect(l, 1, 1), l.Items[1]);
    EXPECT_EQ(l.PageFrame.Top, 25);
}

TEST(TabLayout, FixedSizesAndGlyphs) {
    TTabLayoutInput in = Input(0, 300, 100, {10, 100});
    in.TabWidth = 50;
    in.TabHeight = 30;
    TTabLayout l = LayoutTabs(in);
    EXPECT_EQ(l.Items[1], Rect(52, 2, 102, 32));
    in = Input(0, 300, 100, {10});
    in.GlyphWidth = 16;
    in.GlyphHeight = 16;
    l = LayoutTabs(in);
    EXPECT_EQ(l.Items[0], Rect(2, 2, 2 + 10 + 12 + 19, 2 + 23));
}

TEST(TabLayout, NoTabsAndTinyControls) {
    TTabLayout l = LayoutTabs(Input(0, 300, 100, {}));
    EXPECT_EQ(l.RowCount, 0);
    EXPECT_EQ(l.PageFrame, Rect(0, 0, 300, 100));
    EXPECT_EQ(TabAtPoint(l, TPoint{1, 1}, -1), -1);
    l = LayoutTabs(Input(TCS_MULTILINE, 0, 0, {10, 20, 30}, 1));
    EXPECT_EQ(l.RowCount, 3); // each tab on a row of its own
    EXPECT_TRUE(l.PageFrame.IsEmpty());
    EXPECT_TRUE(l.DisplayRect.IsEmpty());
    EXPECT_GE(l.DisplayRect.Right, l.DisplayRect.Left);
}

TEST(TabLayout, SingleRowTooLongScrollsBetweenArrows) {
    // Available 96, less 32 for the arrows: 64 for tabs of 40.
    TTabLayoutInput in = Input(0, 100, 100, {28, 28, 28, 28});
    TTabLayout l = LayoutTabs(in);
    EXPECT_TRUE(l.Scrolling);
    EXPECT_EQ(l.ScrollBack, Rect(66, 2, 82, 20));
    EXPECT_EQ(l.ScrollForward, Rect(82, 2, 98, 20));
    EXPECT_EQ(l.MaxFirstVisible, 3);
    EXPECT_EQ(l.Items[0], Rect(2, 2, 42, 22));
    EXPECT_EQ(TabAtPoint(l, TPoint{70, 5}, 0), -1); // the arrow, not the tab beneath
    in.FirstVisible = 2;
    l = LayoutTabs(in);
    EXPECT_EQ(l.Items[2], Rect(2, 2, 42, 22));
    EXPECT_EQ(l.Items[0].Right, -38);
    in.FirstVisible = 9;
    EXPECT_EQ(LayoutTabs(in).FirstVisible, 3);
    in.TextWidths = {10, 10};
    EXPECT_FALSE(LayoutTabs(in).Scrolling);
}
