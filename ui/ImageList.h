#pragma once

#include "classes/Component.h"

#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class TCanvas;

// A list of equally sized images (Width x Height, 16 x 16 by default) that controls draw by
// index. Images are added from a bitmap strip, cut into as many Width-wide images as fit (a
// narrower strip gives one image, cut or padded). A masked image leaves out the pixels of its
// mask colour when drawn. Form definitions give a strip as the binary Bitmap property (a BMP
// file) or by resource name (ResourceName); with Masked (on by default) the strip's bottom-left
// pixel is the mask colour.
class TImageList : public TComponent {
public:
    VELTRANE_CLASS_INFO

    explicit TImageList(TComponent* owner);

    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    bool Masked() const { return FMasked; }
    void SetMasked(bool value) { FMasked = value; }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor value);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds the images of a strip without mask; answers the index of the first one.
    int Add(const TBitmap& strip);
    // Adds them with maskColor transparent.
    int AddMasked(const TBitmap& strip, TColor maskColor);
    void Delete(int index);
    void Clear();
    // A copy of image index; an empty bitmap for an index out of range.
    TBitmap GetBitmap(int index) const;
    // Draws image index with its top-left corner at (x, y); a disabled image is drawn in the
    // button shadow colour. An index out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    const std::string& ResourceName() const { return FResourceName; }
    void SetResourceName(const std::string& value);

    void DefineProperties(TFiler& filer) override;

    std::function<void()> OnChange;

    // Change links: besides OnChange, the handler of every registered client runs after each
    // change of the images or their size. A client registers once; registering again
    // replaces its handler. Clients unregister before they go.
    void RegisterChanges(const void* client, std::function<void()> handler);
    void UnRegisterChanges(const void* client);

private:
    struct TImage {
        TBitmap Pixels;
        std::optional<std::uint32_t> Mask;
    };
    int AddStrip(const TBitmap& strip, std::optional<std::uint32_t> mask);
    void LoadStrip(std::span<const std::uint8_t> bmp);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TColor FBkColor = clNone;
    std::vector<std::pair<const void*, std::function<void()>>> FChangeLinks;
    std::vector<TImage> FImages;
    std::string FResourceName;
};
