#include "gfx/Color.h"

#include "platform/AsciiText.h"

#include <array>
#include <cstddef>

namespace {

// The system colour table: the classic light desktop scheme of Windows 2000
// ("Windows Standard"), with its warm grey button face RGB(212, 208, 200).
constexpr std::array<TColor, 31> SystemColors = {
    RGB(212, 208, 200), // 0  scroll bar
    RGB(58, 110, 165),  // 1  desktop background
    RGB(10, 36, 106),   // 2  active caption
    RGB(128, 128, 128), // 3  inactive caption
    RGB(212, 208, 200), // 4  menu
    RGB(255, 255, 255), // 5  window
    RGB(0, 0, 0),       // 6  window frame
    RGB(0, 0, 0),       // 7  menu text
    RGB(0, 0, 0),       // 8  window text
    RGB(255, 255, 255), // 9  caption text
    RGB(212, 208, 200), // 10 active border
    RGB(212, 208, 200), // 11 inactive border
    RGB(128, 128, 128), // 12 application workspace
    RGB(10, 36, 106),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(212, 208, 200), // 15 button face
    RGB(128, 128, 128), // 16 button shadow
    RGB(128, 128, 128), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(212, 208, 200), // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight
    RGB(64, 64, 64),    // 21 3-D dark shadow
    RGB(212, 208, 200), // 22 3-D light
    RGB(0, 0, 0),       // 23 tooltip text
    RGB(255, 255, 225), // 24 tooltip background
    RGB(181, 181, 181), // 25 (unused slot)
    RGB(0, 0, 128),     // 26 hot-tracked item
    RGB(166, 202, 240), // 27 gradient of the active caption
    RGB(192, 192, 192), // 28 gradient of the inactive caption
    RGB(10, 36, 106),   // 29 menu highlight
    RGB(212, 208, 200), // 30 menu bar
};

struct TColorName {
    TColor Value;
    const char* Name;
};

constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"}, {clCaptionText, "clCaptionText"},
    {clGrayText, "clGrayText"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuText, "clMenuText"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
    {clHotLight, "clHotLight"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"}, {clNone, "clNone"}, {clDefault, "clDefault"},
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= SystemColors.size())
        return 0;
    return SystemColors[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(color & 0xFFu));
    return color;
}

bool IdentToColor(const std::string& ident, TColor& color)
{
    for (const TColorName& entry : ColorNames)
        if (SameText(ident, entry.Name)) {
            color = entry.Value;
            return true;
        }
    return false;
}

bool ColorToIdent(TColor color, std::string& ident)
{
    for (const TColorName& entry : ColorNames)
        if (entry.Value == color) {
            ident = entry.Name;
            return true;
        }
    return false;
}
