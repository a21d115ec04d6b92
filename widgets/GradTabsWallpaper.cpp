#include "widgets/GradTabsWallpaper.h"

#include "classes/Published.h"
#include "ui/Image.h"

const TClassInfo& TGradTabsWallpaper::StaticClass()
{
    using T = TGradTabsWallpaper;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TGradTabsWallpaper",
        {
            Published<T>("Bitmap", &T::GetBitmap, static_cast<void (T::*)(TPicture*)>(&T::SetBitmap)),
            Published<T>("Image", &T::Image, &T::SetImage),
            Published<T>("FillCaptions", &T::FillCaptions, &T::SetFillCaptions).Default(true),
            Published<T>("FillCaptionBakgr", &T::FillCaptionBakgr, &T::SetFillCaptionBakgr).Default(false),
            Published<T>("FillClient", &T::FillClient, &T::SetFillClient).Default(false),
            Published<T>("Tile", &T::Tile, &T::SetTile).Default(true),
            Published<T>("IncludeBevels", &T::IncludeBevels, &T::SetIncludeBevels).Default(true),
        });
    return info;
}

const TBitmap* TGradTabsWallpaper::ImageBitmap() const
{
    return FImage ? FImage->Picture()->Bitmap() : nullptr;
}

const TBitmap* TGradTabsWallpaper::CurrentBitmap() const
{
    switch (FSource) {
    case wsBitmap:
        return FBitmap.Bitmap();
    case wsImage:
        return ImageBitmap();
    case wsNone:
    default:
        return nullptr;
    }
}

void TGradTabsWallpaper::SetBitmap(const TBitmap* value)
{
    if (value) {
        if (value != FBitmap.Bitmap())
            FBitmap.SetBitmap(*value);
        FSource = wsBitmap;
    } else {
        FBitmap.Clear();
        FSource = ImageBitmap() ? wsImage : wsNone;
    }
}

void TGradTabsWallpaper::SetBitmap(TPicture* value)
{
    if (!value) {
        SetBitmap(static_cast<const TBitmap*>(nullptr));
        return;
    }
    if (value != &FBitmap)
        FBitmap.Assign(*value);
    FSource = wsBitmap;
}

void TGradTabsWallpaper::SetImage(TImage* value)
{
    FImage = value;
    FSource = ImageBitmap() ? wsImage : wsBitmap;
    if (OnChanged)
        OnChanged(*this);
}

void TGradTabsWallpaper::Set(bool& field, bool value)
{
    if (field == value)
        return;
    field = value;
    if (OnChanged)
        OnChanged(*this);
}

void TGradTabsWallpaper::SetFillCaptions(bool value)
{
    Set(FFillCaptions, value);
}
void TGradTabsWallpaper::SetFillCaptionBakgr(bool value)
{
    Set(FFillCaptionBakgr, value);
}
void TGradTabsWallpaper::SetFillClient(bool value)
{
    Set(FFillClient, value);
}
void TGradTabsWallpaper::SetTile(bool value)
{
    Set(FTile, value);
}
void TGradTabsWallpaper::SetIncludeBevels(bool value)
{
    Set(FIncludeBevels, value);
}

void TGradTabsWallpaper::Assign(const TPersistent& source)
{
    const auto* wallpaper = dynamic_cast<const TGradTabsWallpaper*>(&source);
    if (!wallpaper) {
        TPersistent::Assign(source);
        return;
    }
    if (wallpaper == this)
        return;
    FBitmap.Assign(wallpaper->FBitmap);
    SetFillCaptions(wallpaper->FFillCaptions);
    SetFillCaptionBakgr(wallpaper->FFillCaptionBakgr);
    SetFillClient(wallpaper->FFillClient);
    SetTile(wallpaper->FTile);
    SetIncludeBevels(wallpaper->FIncludeBevels);
    if (wallpaper->FImage != FImage)
        SetImage(wallpaper->FImage);
    FSource = wallpaper->FSource;
}
