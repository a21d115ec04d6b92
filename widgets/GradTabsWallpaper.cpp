#include "widgets/GradTabsWallpaper.h"

#include "ui/Published.h"

const TClassInfo& TGradTabsWallpaper::StaticClass() {
    using T = TGradTabsWallpaper;
    static const TClassInfo info = MakeClass<T, TPersistent>("TGradTabsWallpaper", {
        Published<T>("FillCaptions", &T::FillCaptions, &T::SetFillCaptions).Default(true),
        Published<T>("FillCaptionBakgr", &T::FillCaptionBakgr, &T::SetFillCaptionBakgr).Default(false),
        Published<T>("FillClient", &T::FillClient, &T::SetFillClient).Default(false),
        Published<T>("Tile", &T::Tile, &T::SetTile).Default(true),
        Published<T>("IncludeBevels", &T::IncludeBevels, &T::SetIncludeBevels).Default(true),
    });
    return info;
}

void TGradTabsWallpaper::SetBitmap(const TBitmap* value) {
    if (value) {
        if (value != &FBitmap) FBitmap.Assign(*value);
        FCurrentBitmap = &FBitmap;
    } else {
        FBitmap = TBitmap();
        FCurrentBitmap = FImageBitmap;
    }
}

void TGradTabsWallpaper::SetImageBitmap(const TBitmap* value) {
    FImageBitmap = value;
    FCurrentBitmap = value ? value : &FBitmap;
    if (OnChanged) OnChanged(*this);
}

void TGradTabsWallpaper::Set(bool& field, bool value) {
    if (field == value) return;
    field = value;
    if (OnChanged) OnChanged(*this);
}

void TGradTabsWallpaper::SetFillCaptions(bool value) { Set(FFillCaptions, value); }
void TGradTabsWallpaper::SetFillCaptionBakgr(bool value) { Set(FFillCaptionBakgr, value); }
void TGradTabsWallpaper::SetFillClient(bool value) { Set(FFillClient, value); }
void TGradTabsWallpaper::SetTile(bool value) { Set(FTile, value); }
void TGradTabsWallpaper::SetIncludeBevels(bool value) { Set(FIncludeBevels, value); }

void TGradTabsWallpaper::Assign(const TPersistent& source) {
    const auto* wallpaper = dynamic_cast<const TGradTabsWallpaper*>(&source);
    if (!wallpaper) {
        TPersistent::Assign(source);
        return;
    }
    if (wallpaper == this) return;
    SetBitmap(wallpaper->FCurrentBitmap == &wallpaper->FBitmap ? &wallpaper->FBitmap : nullptr);
    SetFillCaptions(wallpaper->FFillCaptions);
    SetFillCaptionBakgr(wallpaper->FFillCaptionBakgr);
    SetFillClient(wallpaper->FFillClient);
    SetTile(wallpaper->FTile);
    SetIncludeBevels(wallpaper->FIncludeBevels);
    if (wallpaper->FImageBitmap != FImageBitmap) SetImageBitmap(wallpaper->FImageBitmap);
}
