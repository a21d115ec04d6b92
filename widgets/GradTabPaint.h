#pragma once

#include "widgets/GradTabStyle.h"
#include "widgets/GradTabsWallpaper.h"
#include "widgets/GradTypes.h"
#include "widgets/Gradient.h"

#include "ui/TabControlTypes.h"

#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

#include <string>

// Everything PaintTab needs to paint one tab, filled afresh before each tab.
struct TTabPaintRecord {
    TDrawItemStruct DrawItem;
    TRect ClientRect;
    int TabCount = 0;
    std::string Caption;
    const TGradTabsWallpaper* Wallpaper = nullptr;
    const TBitmap* Glyph = nullptr;
    TglWallpaperOption GlyphPlacement = fwoNone;
    const TGradTabStyle* Style = nullptr;
    const TFont* ItemFont = nullptr;
    bool LookLikeButtons = false;
    TglSide TabsPosition = fsdTop;
    TglTabOptions Options;
    TglLabelDir FontDirection = fldLeftRight;
    TColor ItemColor = clBtnFace;
    bool FlatButtons = false;
    TGradient* SpareGradient = nullptr;
};

// The rectangle the tab's gradient and bevel take, from its item rectangle by position,
// selection and buttons (before the flat-button growth).
TRect TabPaintRect(const TRect& item, TglSide position, bool selected, bool buttons, TglSides borders);

// The page area the wallpaper covers when it fills the client: the client rectangle with
// the tab side moved in by the tab's extent plus a gap and one pixel off the other sides.
TRect TabPageAreaRect(const TRect& client, const TRect& item, TglSide position, bool selected, bool buttons);

// Paints one tab on the record's canvas: wallpaper (beside the last tab, on the page area,
// behind the tab), the lines that join the selected tab to the page, the style's gradient,
// its bevel frame and background, the glyph and the caption, in the record's font and
// direction. The canvas's selected objects and modes are as they were afterwards.
void PaintTab(const TTabPaintRecord& record);
