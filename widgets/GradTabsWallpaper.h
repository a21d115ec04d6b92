#pragma once

#include "ui/Persistent.h"

#include "gfx/Bitmap.h"

#include <functional>
#include <memory>

// A picture painted behind the tabs, beside the last tab and on the page area of a
// gradient tab control, tiled or as one copy at the area's top-left corner.
//
// CurrentBitmap is the picture actually painted: none, the owned Bitmap, or the bitmap of
// another picture source (an image component) set with SetImageBitmap. The Boolean
// setters raise OnChanged when the value changes; assigning Bitmap raises nothing.
class TGradTabsWallpaper : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    using TNotify = std::function<void(TGradTabsWallpaper& sender)>;

    TGradTabsWallpaper() = default;
    TGradTabsWallpaper(const TGradTabsWallpaper&) = delete;
    TGradTabsWallpaper& operator=(const TGradTabsWallpaper&) = delete;

    const TBitmap& Bitmap() const { return FBitmap; }
    // Copies the picture in; CurrentBitmap becomes the owned bitmap when value is given,
    // else the image's bitmap when there is one, else none.
    void SetBitmap(const TBitmap* value);

    // The picture of the referenced image component, or none; raises OnChanged.
    // CurrentBitmap becomes the image's bitmap when it has one, else the owned bitmap.
    const TBitmap* ImageBitmap() const { return FImageBitmap; }
    void SetImageBitmap(const TBitmap* value);

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

    const TBitmap* CurrentBitmap() const { return FCurrentBitmap; }
    // Makes the owned bitmap the one painted (after loading, when it has pixels).
    void UseOwnBitmap() { FCurrentBitmap = &FBitmap; }

    void Assign(const TPersistent& source) override;

    TNotify OnChanged;

private:
    void Set(bool& field, bool value);

    TBitmap FBitmap;
    const TBitmap* FImageBitmap = nullptr;
    const TBitmap* FCurrentBitmap = nullptr;
    bool FFillCaptions = true;
    bool FFillCaptionBakgr = false;
    bool FFillClient = false;
    bool FTile = true;
    bool FIncludeBevels = true;
};
