#include "ui/Picture.h"

#include "classes/Filer.h"
#include "classes/Published.h"

#include "gfx/BmpCodec.h"
#include "gfx/JpegDecoder.h"
#include "platform/Resources.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

bool IsBmp(std::span<const std::uint8_t> d)
{
    return d.size() >= 2 && d[0] == 'B' && d[1] == 'M';
}
bool IsJpeg(std::span<const std::uint8_t> d)
{
    return d.size() >= 2 && d[0] == 0xFF && d[1] == 0xD8;
}

// Strips the stored form's class name and byte count, when present.
std::span<const std::uint8_t> UnwrapStored(std::span<const std::uint8_t> data)
{
    if (data.empty() || IsBmp(data) || IsJpeg(data))
        return data;
    // A bare byte count and the file (a bitmap's own stored form).
    if (data.size() > 6 && (IsBmp(data.subspan(4)) || IsJpeg(data.subspan(4))))
        return data.subspan(4);
    const std::size_t nameLength = data[0];
    if (nameLength == 0 || data.size() < 1 + nameLength)
        return data;
    std::span<const std::uint8_t> rest = data.subspan(1 + nameLength);
    if (rest.size() >= 4 && !IsBmp(rest) && !IsJpeg(rest)) {
        const std::uint32_t count = rest[0] | (rest[1] << 8) | (rest[2] << 16) | (std::uint32_t(rest[3]) << 24);
        if (count <= rest.size() - 4)
            rest = rest.subspan(4, count);
    }
    return rest;
}

} // namespace

const TClassInfo& TPicture::StaticClass()
{
    using T = TPicture;
    static const TClassInfo info = MakeClass<T, TPersistent>(
        "TPicture", {
                        Published<T>("ResourceName", &T::ResourceName, &T::SetResourceName).Stored(false),
                    });
    return info;
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}

void TPicture::SetBitmap(const TBitmap& bitmap)
{
    if (bitmap.Empty()) {
        Clear();
        return;
    }
    FBitmap = std::make_unique<TBitmap>(bitmap);
    FFormat = pfBitmap;
    FSource.clear();
    FResourceName.clear();
    Changed();
}

void TPicture::Clear()
{
    if (!FBitmap && FFormat == pfNone)
        return;
    FBitmap.reset();
    FFormat = pfNone;
    FSource.clear();
    FResourceName.clear();
    Changed();
}

void TPicture::LoadFromBytes(std::span<const std::uint8_t> data)
{
    const std::span<const std::uint8_t> file = UnwrapStored(data);
    if (file.empty()) {
        Clear();
        return;
    }
    TFormat format;
    TBitmap decoded;
    if (IsJpeg(file)) {
        decoded = DecodeJpeg(file);
        format = pfJpeg;
    } else {
        decoded = TBmpCodec().Read(file);
        format = pfBitmap;
    }
    FBitmap = std::make_unique<TBitmap>(std::move(decoded));
    FFormat = format;
    FSource.assign(file.begin(), file.end());
    FResourceName.clear();
    Changed();
}

void TPicture::LoadFromResource(const std::string& name)
{
    std::optional<TResourceBytes> bytes = FindResource("BITMAP", name);
    if (!bytes)
        bytes = LoadResource("RCDATA", name);
    LoadFromBytes(*bytes);
    FResourceName = name;
}

void TPicture::LoadFromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LoadFromBytes(bytes);
}

void TPicture::SetResourceName(const std::string& value)
{
    if (value.empty()) {
        Clear();
        return;
    }
    LoadFromResource(value);
}

void TPicture::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TPicture*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    FBitmap = other->FBitmap ? std::make_unique<TBitmap>(*other->FBitmap) : nullptr;
    FFormat = other->FFormat;
    FSource = other->FSource;
    FResourceName = other->FResourceName;
    Changed();
}

std::vector<std::uint8_t> TPicture::StoredData() const
{
    std::vector<std::uint8_t> file = FSource;
    if (file.empty() && FBitmap)
        file = TBmpCodec::Write(*FBitmap);
    const std::string name = FFormat == pfJpeg ? "TJPEGImage" : "TBitmap";
    std::vector<std::uint8_t> out(1 + name.size() + 4 + file.size());
    out[0] = static_cast<std::uint8_t>(name.size());
    std::memcpy(out.data() + 1, name.data(), name.size());
    const auto count = static_cast<std::uint32_t>(file.size());
    for (std::size_t i = 0; i < 4; ++i)
        out[1 + name.size() + i] = static_cast<std::uint8_t>(count >> (8 * i));
    if (!file.empty())
        std::memcpy(out.data() + 5 + name.size(), file.data(), file.size());
    return out;
}

void TPicture::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty(
        "Data", [this](std::span<const std::uint8_t> data) { LoadFromBytes(data); },
        [this](std::vector<std::uint8_t>& out) { out = StoredData(); }, !Empty());
}
