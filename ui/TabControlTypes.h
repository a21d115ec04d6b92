#pragma once

#include "classes/EnumInfo.h"

#include "gfx/Canvas.h"
#include "gfx/Geometry.h"

#include <cstdint>

// Values and records shared by the tab controls and the controls that paint their tabs.

// Style bits of a tab control.
constexpr std::uint32_t TCS_BOTTOM = 0x0002;
constexpr std::uint32_t TCS_RIGHT = 0x0002; // with TCS_VERTICAL
constexpr std::uint32_t TCS_MULTISELECT = 0x0004;
constexpr std::uint32_t TCS_FLATBUTTONS = 0x0008;
constexpr std::uint32_t TCS_VERTICAL = 0x0080;
constexpr std::uint32_t TCS_BUTTONS = 0x0100;
constexpr std::uint32_t TCS_MULTILINE = 0x0200;
constexpr std::uint32_t TCS_FIXEDWIDTH = 0x0400;
constexpr std::uint32_t TCS_OWNERDRAWFIXED = 0x2000;
constexpr std::uint32_t TCS_FOCUSNEVER = 0x8000;

// The owner-draw record: control type, item state bits.
constexpr std::uint32_t ODT_TAB = 101;
constexpr std::uint32_t ODS_SELECTED = 0x0001;
constexpr std::uint32_t ODS_DISABLED = 0x0004;
constexpr std::uint32_t ODA_DRAWENTIRE = 0x0001;

// Tab item mask bit of the image index.
constexpr std::uint32_t TCIF_IMAGE = 0x0002;

// What a tab control hands the painter of one tab. Canvas is the control's surface with
// its origin at the control's top-left corner; ItemRect is the tab's rectangle there
// (the selected tab's is the larger one it is drawn in).
struct TDrawItemStruct {
    std::uint32_t CtlType = ODT_TAB;
    std::uint32_t CtlID = 0;
    int ItemID = -1;
    std::uint32_t ItemAction = ODA_DRAWENTIRE;
    std::uint32_t ItemState = 0;
    TCanvas* Canvas = nullptr;
    TRect ItemRect;
};

// The look of the tabs.
enum TTabStyle : std::uint8_t { tsTabs, tsButtons, tsFlatButtons };
// The side the tabs are on.
enum TTabPosition : std::uint8_t { tpTop, tpBottom, tpLeft, tpRight };

VELTRANE_ENUM_INFO(TTabStyle, "tsTabs", "tsButtons", "tsFlatButtons")
VELTRANE_ENUM_INFO(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")
