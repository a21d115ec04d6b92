#include "widgets/GradPageControl.h"

#include "widgets/BitmapExt.h"
#include "widgets/RotatedFont.h"

#include "classes/ClassRegistry.h"
#include "classes/Published.h"
#include "ui/Image.h"
#include "ui/TabSheet.h"

#include <algorithm>

const TClassInfo& TGradPageControl::StaticClass()
{
    using T = TGradPageControl;
    static const TClassInfo info = MakeClass<T, TPageControl>(
        "TGradPageControl",
        {
            Published<T>("Glyphs", &T::Glyphs, &T::SetGlyphs),
            Published<T>("SingleGlyph", &T::SingleGlyph, &T::SetSingleGlyph).Default(false),
            Published<T>("TabStyle", &T::GetTabStyle, &T::SetTabStyle),
            Published<T>("TabSelectedStyle", &T::GetTabSelectedStyle, &T::SetTabSelectedStyle),
            Published<T>("Wallpaper", &T::GetWallpaper, &T::SetWallpaper),
            Published<T>("DrawGlyphsOption", &T::DrawGlyphsOption, &T::SetDrawGlyphsOption).Default(fwoNone),
            Published<T>("LookLikeButtons", &T::LookLikeButtons, &T::SetLookLikeButtons).Default(false),
            Published<T>("TabsPosition", &T::TabsPosition, &T::SetTabsPosition).Default(fsdTop),
            Published<T>("Options", &T::Options, &T::SetOptions).NoDefault(),
            Published<T>("FontDirection", &T::FontDirection, &T::SetFontDirection).Default(fldLeftRight),
            Published<T>("Font", &T::GetFont, static_cast<void (T::*)(TPersistentFont*)>(&T::SetFont)),
            Published<T>("OnGetItemColor", &T::FOnGetItemColor, &T::FOnGetItemColor),
            Published<T>("OnGetItemFontColor", &T::FOnGetItemFontColor, &T::FOnGetItemFontColor),
            Published<T>("OnGetGradientColors", &T::FOnGetGradientColors, &T::FOnGetGradientColors),
        });
    return info;
}

void RegisterGradPageControlClasses(TClassRegistry& classes)
{
    RegisterPageControlClasses(classes);
    classes.RegisterClass(TGradPageControl::StaticClass());
}

TGradPageControl::TGradPageControl(TComponent* owner)
    : TPageControl(owner), FTabStyle(this), FTabSelectedStyle(this), FGlyphBuffer(0, 0, TPixelFormat::pf24bit)
{
    FTabStop = false;

    FTabStyle.SetBackgrColor(clBtnShadow);
    FTabStyle.Font().SetColor(clBtnHighlight);
    FTabStyle.Font().SetName("Arial");
    FTabStyle.SetCaptionHAlign(fhaCenter);
    FTabSelectedStyle.SetBackgrColor(clBtnFace);
    FTabSelectedStyle.Font().SetColor(clBtnText);
    FTabSelectedStyle.Font().SetName("Arial");
    FTabSelectedStyle.SetCaptionHAlign(fhaCenter);

    auto invalidate = [this](auto&) { Invalidate(); };
    FTabStyle.OnChanged = invalidate;
    FTabSelectedStyle.OnChanged = invalidate;
    FTabStyle.Gradient().OnChanged = invalidate;
    FTabSelectedStyle.Gradient().OnChanged = invalidate;
    FWallpaper.OnChanged = [this](TGradTabsWallpaper& wallpaper) {
        // Hear of the image's destruction wherever it is owned.
        if (wallpaper.Image())
            FreeNotification(*wallpaper.Image());
        Invalidate();
    };
    FTabStyle.OnFontChanged = [this](TGradTabStyle&) { StylesChanged(); };
    FTabSelectedStyle.OnFontChanged = [this](TGradTabStyle&) { StylesChanged(); };
    RecreateWnd();
}

TGradPageControl::~TGradPageControl()
{
    FTabStyle.OnChanged = nullptr;
    FTabSelectedStyle.OnChanged = nullptr;
    FTabStyle.Gradient().OnChanged = nullptr;
    FTabSelectedStyle.Gradient().OnChanged = nullptr;
    FWallpaper.OnChanged = nullptr;
    FTabStyle.OnFontChanged = nullptr;
    FTabSelectedStyle.OnFontChanged = nullptr;
    UnlinkGlyphs();
    FGlyphs = nullptr;
}

void TGradPageControl::StylesChanged()
{
    RebuildTabFonts();
    Invalidate();
}

TglLabelDir TGradPageControl::AutoFontDirection(TglSide side)
{
    switch (side) {
    case fsdLeft:
        return fldDownUp;
    case fsdRight:
        return fldUpDown;
    case fsdTop:
    case fsdBottom:
    default:
        return fldLeftRight;
    }
}

int TGradPageControl::FontDirectionEscapement(TglLabelDir direction)
{
    switch (direction) {
    case fldRightLeft:
        return -1800;
    case fldUpDown:
        return -900;
    case fldDownUp:
        return 900;
    case fldLeftRight:
    default:
        return 0;
    }
}

std::uint32_t TGradPageControl::StyleBits() const
{
    std::uint32_t bits = TPageControl::StyleBits() | TCS_OWNERDRAWFIXED;
    if (FLookLikeButtons)
        bits |= TCS_BUTTONS;
    switch (FTabsPosition) {
    case fsdLeft:
        bits |= TCS_VERTICAL;
        break;
    case fsdTop:
        break;
    case fsdRight:
        bits |= TCS_VERTICAL | TCS_RIGHT;
        break;
    case fsdBottom:
        bits |= TCS_BOTTOM;
        break;
    }
    return bits;
}

void TGradPageControl::RebuildTabFonts()
{
    if (ComponentState().Contains(csReading))
        return;
    const int escapement = FontDirectionEscapement(FFontDirection);
    FNormalTabFont = CreateRotatedFont(FTabStyle.Font(), escapement);
    FNormalTabFont.SetColor(FTabStyle.Font().Color());
    FSelectedTabFont = CreateRotatedFont(FTabSelectedStyle.Font(), escapement);
    FSelectedTabFont.SetColor(FTabSelectedStyle.Font().Color());
    FFontsBuilt = true;
}

// --- property setters ----------------------------------------------------------------

void TGradPageControl::SetTabStyle(TGradTabStyle* value)
{
    if (value && value != &FTabStyle)
        FTabStyle.Assign(*value);
    RebuildTabFonts();
    Invalidate();
}

void TGradPageControl::SetTabSelectedStyle(TGradTabStyle* value)
{
    if (value && value != &FTabSelectedStyle)
        FTabSelectedStyle.Assign(*value);
    RebuildTabFonts();
    Invalidate();
}

void TGradPageControl::SetWallpaper(TGradTabsWallpaper* value)
{
    if (value && value != &FWallpaper)
        FWallpaper.Assign(*value);
}

void TGradPageControl::SetDrawGlyphsOption(TglWallpaperOption value)
{
    if (value == FDrawGlyphsOption)
        return;
    FDrawGlyphsOption = value;
    Invalidate();
}

void TGradPageControl::SetLookLikeButtons(bool value)
{
    if (value == FLookLikeButtons)
        return;
    FLookLikeButtons = value;
    RecreateWnd();
}

void TGradPageControl::SetTabsPosition(TglSide value)
{
    if (value == FTabsPosition)
        return;
    FTabsPosition = value;
    RecreateWnd();
    if (FOptions.Contains(ftoAutoFontDirection) && !ComponentState().Contains(csLoading))
        SetFontDirection(AutoFontDirection(FTabsPosition));
}

void TGradPageControl::SetOptions(TglTabOptions value)
{
    if (value == FOptions)
        return;
    FOptions = value;
    if (FOptions.Contains(ftoAutoFontDirection))
        SetFontDirection(AutoFontDirection(FTabsPosition));
    Invalidate();
}

void TGradPageControl::SetFontDirection(TglLabelDir value)
{
    if (value == FFontDirection)
        return;
    FFontDirection = value;
    RebuildTabFonts();
    Invalidate();
}

void TGradPageControl::SetFont(TPersistentFont* value)
{
    if (value)
        SetFont(value->Font());
}

void TGradPageControl::SetFont(const TFont& value)
{
    TPageControl::SetFont(value);
    if (FOptions.Contains(ftoInheriteTabFonts)) {
        FTabStyle.Font().Assign(Font());
        FTabSelectedStyle.Font().Assign(Font());
    }
}

void TGradPageControl::FontChanged()
{
    TPageControl::FontChanged();
    if (FOptions.Contains(ftoInheriteTabFonts)) {
        FTabStyle.Font().Assign(Font());
        FTabSelectedStyle.Font().Assign(Font());
        RebuildTabFonts();
    }
}

void TGradPageControl::Loaded()
{
    TPageControl::Loaded();
    RebuildTabFonts();
    if (BitmapHasPixels(FWallpaper.Bitmap()))
        FWallpaper.UseOwnBitmap();
}

void TGradPageControl::Notification(TComponent* component, TOperation operation)
{
    TPageControl::Notification(component, operation);
    if (operation != opRemove || !component)
        return;
    if (component == FWallpaper.Image())
        FWallpaper.SetImage(nullptr);
    if (component == FGlyphs)
        SetGlyphs(nullptr);
}

// --- glyphs ----------------------------------------------------------------------------

int TGradPageControl::GetTabGlyphIndex(int index) const
{
    if (!FGlyphs)
        return -1;
    return TabImageIndex(index);
}

void TGradPageControl::SetTabGlyphIndex(int index, int image)
{
    SetTabImageIndex(index, image);
    if (index >= 0 && index < TabCount())
        Invalidate();
}

void TGradPageControl::ApplySingleGlyph()
{
    if (!FGlyphs || TabCount() == 0)
        return;
    const int count = FGlyphs->Count();
    for (int i = 0; i < TabCount(); ++i) {
        if (FSingleGlyph)
            SetTabGlyphIndex(i, 0);
        else if (i < count)
            SetTabGlyphIndex(i, i);
    }
}

void TGradPageControl::SetSingleGlyph(bool value)
{
    FSingleGlyph = value;
    ApplySingleGlyph();
}

void TGradPageControl::UnlinkGlyphs()
{
    if (!FGlyphs)
        return;
    // A list being destroyed has lost its links with the rest of it.
    if (!FGlyphs->ComponentState().Contains(csDestroying))
        FGlyphs->UnRegisterChanges(this);
    RemoveFreeNotification(*FGlyphs);
}

void TGradPageControl::SetGlyphs(TImageList* value)
{
    if (FGlyphs == value)
        return;
    UnlinkGlyphs();
    FGlyphs = value;
    // The tabs make room for glyphs of the list's size (none without a list).
    RecreateWnd();
    if (!FGlyphs)
        return;
    FreeNotification(*FGlyphs);
    // A change of the list's images or size re-measures and repaints the tabs.
    FGlyphs->RegisterChanges(this, [this] { RecreateWnd(); });
    const int n = std::min(TabCount(), FGlyphs->Count());
    bool anyImage = false;
    for (int i = 0; i < n && !anyImage; ++i)
        anyImage = TabImageIndex(i) != -1;
    if (!anyImage)
        ApplySingleGlyph();
}

TSize TGradPageControl::ImageSize() const
{
    return FGlyphs ? TSize{FGlyphs->Width(), FGlyphs->Height()} : TSize{};
}

void TGradPageControl::TabInserted(int index)
{
    TPageControl::TabInserted(index);
    if (!FGlyphs)
        return;
    if (FSingleGlyph)
        SetTabImageIndex(index, 0);
    else if (index < FGlyphs->Count())
        SetTabImageIndex(index, index);
}

// --- painting --------------------------------------------------------------------------

void TGradPageControl::DrawTab(const TDrawItemStruct& drawItem)
{
    if (drawItem.CtlType != ODT_TAB)
        return;
    if (!FFontsBuilt)
        RebuildTabFonts();
    const int index = drawItem.ItemID;
    TTabPaintRecord& r = FTabPaintRecord;
    r.DrawItem = drawItem;
    r.Caption = TabCaption(index);

    r.Glyph = nullptr;
    const int glyph = GetTabGlyphIndex(index);
    if (glyph != -1 && FGlyphs && glyph >= 0 && glyph < FGlyphs->Count()) {
        FGlyphBuffer = FGlyphs->GetBitmap(glyph);
        r.Glyph = &FGlyphBuffer;
    }

    // A disabled tab takes the unselected look even when it is the selected one.
    if (drawItem.ItemState & ODS_DISABLED) {
        r.Style = &FTabStyle;
        FItemFont = FNormalTabFont;
    } else if (drawItem.ItemState & ODS_SELECTED) {
        r.Style = &FTabSelectedStyle;
        FItemFont = FSelectedTabFont;
    } else {
        r.Style = &FTabStyle;
        FItemFont = FNormalTabFont;
    }
    if (FOnGetItemFontColor) {
        TColor color = FItemFont.Color();
        FOnGetItemFontColor(this, index, color);
        FItemFont.SetColor(color);
    }
    r.ItemFont = &FItemFont;

    r.GlyphPlacement = FDrawGlyphsOption;
    r.Wallpaper = &FWallpaper;
    r.ClientRect = ClientRect();
    r.TabCount = TabCount();
    r.LookLikeButtons = FLookLikeButtons;
    r.TabsPosition = FTabsPosition;
    r.Options = FOptions;
    r.FontDirection = FFontDirection;

    r.SpareGradient = &FSpareGradient;
    if (FOnGetGradientColors)
        FOnGetGradientColors(this, index, FSpareGradient);

    TColor itemColor = r.Style->BackgrColor();
    if (FOnGetItemColor)
        FOnGetItemColor(this, index, itemColor);
    r.ItemColor = itemColor;
    r.FlatButtons = Style() == tsFlatButtons;

    PaintTab(r);
}
