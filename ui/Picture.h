#pragma once

#include "classes/Persistent.h"

#include "gfx/Bitmap.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

// The picture of an image control: a bitmap decoded from a BMP file or a JPEG stream, or
// nothing. Form definitions give it either as binary data (Picture.Data = { ... }: the stored
// graphic's class name as a short string, its byte count and its file bytes, or the bare file
// bytes) or by the name of a resource of the executable (Picture.ResourceName = 'CH01').
//
// Bytes that decode to nothing raise EInvalidGraphic (EBmpError, EJpegError) and leave the
// picture as it was. OnChange runs after every change of the graphic.
class TPicture : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    enum TFormat : std::uint8_t { pfNone, pfBitmap, pfJpeg };

    TPicture() = default;

    bool Empty() const { return !FBitmap; }
    TFormat Format() const { return FFormat; }
    int Width() const { return FBitmap ? FBitmap->Width() : 0; }
    int Height() const { return FBitmap ? FBitmap->Height() : 0; }
    // The decoded pixels; null when empty.
    const TBitmap* Bitmap() const { return FBitmap.get(); }

    // A copy of bitmap (an empty bitmap clears the picture).
    void SetBitmap(const TBitmap& bitmap);
    void Clear();
    // A BMP file ("BM") or a JPEG stream (0xFF 0xD8), told apart by their first bytes, or the
    // stored form described above.
    void LoadFromBytes(std::span<const std::uint8_t> data);
    // The resource of that name: type BITMAP first, then RCDATA (EResNotFound when neither).
    void LoadFromResource(const std::string& name);
    // A file of either kind (EFOpenError when it cannot be read).
    void LoadFromFile(const std::string& path);

    // The resource last loaded by name (empty when the picture came from elsewhere).
    const std::string& ResourceName() const { return FResourceName; }
    void SetResourceName(const std::string& value);

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;

    std::function<void()> OnChange;

private:
    void Changed();
    // The stored data: class name, byte count and the file.
    std::vector<std::uint8_t> StoredData() const;

    std::unique_ptr<TBitmap> FBitmap;
    TFormat FFormat = pfNone;
    std::vector<std::uint8_t> FSource; // the encoded bytes the picture came from
    std::string FResourceName;
};
