#pragma once

#include "classes/Persistent.h"
#include "ui/Picture.h"

#include "gfx/Bitmap.h"

#include <cstdint>
#include <functional>

class TImage;

// A picture painted behind the tabs, beside the last tab and on the page area of a
// gradient tab control, tiled or as one copy at the area's top-left corner.
//
// CurrentBitmap is the picture actually painted: none, the owned Bitmap, or the picture of
// the image component Image (looked up at each use, so a new picture of the image counts).
// The Boolean setters raise OnChanged when the value changes; assigning Bitmap raises
// nothing; assigning Image raises OnChanged.
class TGradTabsWallpaper : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    using TNotify = std::function<void(TGradTabsWallpaper& sender)>;

    TGradTabsWallpaper() = default;
    TGradTabsWallpaper(const TGradTabsWallpaper&) = delete;
    TGradTabsWallpaper& operator=(const TGradTabsWallpaper&) = delete;

    // The owned picture (null while empty).
    const TBitmap* Bitmap() const { return FBitmap.Bitmap(); }
    TPicture* GetBitmap() const { return const_cast<TPicture*>(&FBitmap); }
    // Copies the picture in; CurrentBitmap becomes the owned bitmap when value is given,
    // else the image's picture when there is one, else none.
    void SetBitmap(const TBitmap* value);
    void SetBitmap(TPicture* value);

    TImage* Image() const { return FImage; }
    // CurrentBitmap becomes the image's picture when it has one, else the owned bitmap.
    void SetImage(TImage* value);

    // Wallpaper behind each tab.
    bool FillCaptions() const { return FFillCaptions; }
    void SetFillCaptions(bool value);
    // Wallpaper on the strip beside the last tab.
    bool FillCaptionBakgr() const { return FFillCaptionBakgr; }
    void SetFillCaptionBakgr(bool value);
    // Wallpaper on the page area.
    bool FillClient() const { return FFillClient; }
    void SetFillClient(bool value);
    // Tile the picture; otherwise one copy at the area's top-left corner.
    bool Tile() const { return FTile; }
    void SetTile(bool value);
    // The tab wallpaper covers the bevel lines (painted before them), else lies inside them.
    bool IncludeBevels() const { return FIncludeBevels; }
    void SetIncludeBevels(bool value);

    const TBitmap* CurrentBitmap() const;
    // Makes the owned bitmap the one painted (after loading, when it has pixels).
    void UseOwnBitmap() { FSource = wsBitmap; }

    void Assign(const TPersistent& source) override;

    TNotify OnChanged;

private:
    enum TSource : std::uint8_t { wsNone, wsBitmap, wsImage };

    void Set(bool& field, bool value);
    const TBitmap* ImageBitmap() const;

    TPicture FBitmap;
    TImage* FImage = nullptr;
    TSource FSource = wsNone;
    bool FFillCaptions = true;
    bool FFillCaptionBakgr = false;
    bool FFillClient = false;
    bool FTile = true;
    bool FIncludeBevels = true;
};
