#pragma once

#include "widgets/GradTabPaint.h"
#include "widgets/GradTabStyle.h"
#include "widgets/GradTabsWallpaper.h"
#include "widgets/GradTypes.h"
#include "widgets/Gradient.h"

#include "ui/ImageList.h"
#include "ui/PageControl.h"

#include "gfx/Bitmap.h"
#include "gfx/Font.h"

#include <functional>

class TClassRegistry;

using TglOnGetItemColorEvent = std::function<void(TObject* sender, int index, TColor& color)>;
using TglOnGetGradientColors = std::function<void(TObject* sender, int index, TGradient& gradient)>;

// A page control that paints every tab itself from two tab styles, one for the selected tab
// and one for the others, with optional glyphs, a wallpaper picture behind tabs and page,
// captions rotated for tabs on the left or right edge and per-tab colours asked through events.
// Layout, hit testing and page switching are the page control's; this class adds owner
// drawing and its own style bits (tab side, buttons) and handles the owner-draw notification.
class TGradPageControl : public TPageControl, public TGradTabStyleOwner {
public:
    VELTRANE_CLASS_INFO

    explicit TGradPageControl(TComponent* owner);
    ~TGradPageControl() override;

    // --- glyphs -------------------------------------------------------------------
    // The image list the tab glyphs come from (a reference; forgotten when the list goes).
    TImageList* Glyphs() const { return FGlyphs; }
    void SetGlyphs(TImageList* value);
    bool SingleGlyph() const { return FSingleGlyph; }
    void SetSingleGlyph(bool value);
    // The tab's image index, -1 without Glyphs.
    int GetTabGlyphIndex(int index) const;
    // Writes the tab's image index and repaints the tab.
    void SetTabGlyphIndex(int index, int image);

    // --- styles -------------------------------------------------------------------
    TGradTabStyle& TabStyle() { return FTabStyle; }
    TGradTabStyle* GetTabStyle() const { return const_cast<TGradTabStyle*>(&FTabStyle); }
    // Takes the values of a whole style, then rebuilds the tab fonts.
    void SetTabStyle(TGradTabStyle* value);
    TGradTabStyle& TabSelectedStyle() { return FTabSelectedStyle; }
    TGradTabStyle* GetTabSelectedStyle() const { return const_cast<TGradTabStyle*>(&FTabSelectedStyle); }
    void SetTabSelectedStyle(TGradTabStyle* value);
    TGradTabsWallpaper& Wallpaper() { return FWallpaper; }
    TGradTabsWallpaper* GetWallpaper() const { return const_cast<TGradTabsWallpaper*>(&FWallpaper); }
    void SetWallpaper(TGradTabsWallpaper* value);

    TglWallpaperOption DrawGlyphsOption() const { return FDrawGlyphsOption; }
    void SetDrawGlyphsOption(TglWallpaperOption value);
    bool LookLikeButtons() const { return FLookLikeButtons; }
    void SetLookLikeButtons(bool value);
    TglSide TabsPosition() const { return FTabsPosition; }
    void SetTabsPosition(TglSide value);
    TglTabOptions Options() const { return FOptions; }
    void SetOptions(TglTabOptions value);
    TglLabelDir FontDirection() const { return FFontDirection; }
    void SetFontDirection(TglLabelDir value);
    // The control's font; with ftoInheriteTabFonts the styles take it too.
    void SetFont(TPersistentFont* value);
    void SetFont(const TFont& value);

    const TglOnGetItemColorEvent& OnGetItemColor() const { return FOnGetItemColor; }
    void SetOnGetItemColor(TglOnGetItemColorEvent handler) { FOnGetItemColor = std::move(handler); }
    const TglOnGetItemColorEvent& OnGetItemFontColor() const { return FOnGetItemFontColor; }
    void SetOnGetItemFontColor(TglOnGetItemColorEvent handler) { FOnGetItemFontColor = std::move(handler); }
    const TglOnGetGradientColors& OnGetGradientColors() const { return FOnGetGradientColors; }
    void SetOnGetGradientColors(TglOnGetGradientColors handler) { FOnGetGradientColors = std::move(handler); }

    // Builds the direction-rotated copies of the two style fonts (not while reading a form).
    void RebuildTabFonts();
    bool FontsBuilt() const { return FFontsBuilt; }
    const TFont& NormalTabFont() const { return FNormalTabFont; }
    const TFont& SelectedTabFont() const { return FSelectedTabFont; }
    // The record the last tab was painted from.
    const TTabPaintRecord& TabPaintRecord() const { return FTabPaintRecord; }
    // The gradient handed to OnGetGradientColors.
    TGradient& SpareGradient() { return FSpareGradient; }

    std::uint32_t StyleBits() const override;
    TSize ImageSize() const override;

    // The font direction that suits tabs on a side.
    static TglLabelDir AutoFontDirection(TglSide side);
    // The escapement of a font direction, tenths of a degree.
    static int FontDirectionEscapement(TglLabelDir direction);

    // TGradTabStyleOwner
    const TFont& TabControlFont() const override { return TPageControl::Font(); }
    void SetTabControlFont(const TFont& font) override { SetFont(font); }

protected:
    void DrawTab(const TDrawItemStruct& drawItem) override;
    void TabInserted(int index) override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Drops the change link and the destruction notice of the Glyphs list.
    void UnlinkGlyphs();
    void StylesChanged();
    void ApplySingleGlyph();

    TImageList* FGlyphs = nullptr;
    bool FSingleGlyph = false;
    TGradTabStyle FTabStyle;
    TGradTabStyle FTabSelectedStyle;
    TGradTabsWallpaper FWallpaper;
    TglWallpaperOption FDrawGlyphsOption = fwoNone;
    bool FLookLikeButtons = false;
    TglSide FTabsPosition = fsdTop;
    TglTabOptions FOptions{ftoAutoFontDirection, ftoExcludeGlyphs};
    TglLabelDir FFontDirection = fldLeftRight;
    TglOnGetItemColorEvent FOnGetItemColor;
    TglOnGetItemColorEvent FOnGetItemFontColor;
    TglOnGetGradientColors FOnGetGradientColors;

    TFont FNormalTabFont;
    TFont FSelectedTabFont;
    TFont FItemFont;
    TBitmap FGlyphBuffer;
    TGradient FSpareGradient;
    bool FFontsBuilt = false;
    TTabPaintRecord FTabPaintRecord;
};

// Registers TGradPageControl for form definitions.
void RegisterGradPageControlClasses(TClassRegistry& classes);
