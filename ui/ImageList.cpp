#include "ui/ImageList.h"

#include "classes/Filer.h"
#include "classes/Published.h"
#include "ui/ColorIdents.h"

#include "gfx/BmpCodec.h"
#include "gfx/Canvas.h"
#include "platform/Resources.h"

#include <algorithm>

const TClassInfo& TImageList::StaticClass()
{
    using T = TImageList;
    static const TClassInfo info = MakeClass<T, TComponent>(
        "TImageList", {
                          Published<T>("BkColor", &T::BkColor, &T::SetBkColor).Default(clNone).Idents(ColorIdentToInt),
                          Published<T>("Height", &T::Height, &T::SetHeight).Default(16),
                          Published<T>("Masked", &T::Masked, &T::SetMasked).Default(true),
                          Published<T>("ResourceName", &T::ResourceName, &T::SetResourceName),
                          Published<T>("Width", &T::Width, &T::SetWidth).Default(16),
                      });
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

// A new size drops the images, as they no longer fit; an empty list still reports the change.
void TImageList::SetWidth(int value)
{
    value = std::clamp(value, 1, 32768);
    if (value == FWidth)
        return;
    FWidth = value;
    if (FImages.empty())
        Changed();
    else
        Clear();
}

void TImageList::SetHeight(int value)
{
    value = std::clamp(value, 1, 32768);
    if (value == FHeight)
        return;
    FHeight = value;
    if (FImages.empty())
        Changed();
    else
        Clear();
}

void TImageList::RegisterChanges(const void* client, std::function<void()> handler)
{
    for (auto& link : FChangeLinks)
        if (link.first == client) {
            link.second = std::move(handler);
            return;
        }
    FChangeLinks.emplace_back(client, std::move(handler));
}

void TImageList::UnRegisterChanges(const void* client)
{
    std::erase_if(FChangeLinks, [client](const auto& link) { return link.first == client; });
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange();
    // A handler may register or unregister clients: run the links as they stood, each only
    // while its client is still registered.
    std::vector<const void*> clients;
    for (const auto& link : FChangeLinks)
        clients.push_back(link.first);
    for (const void* client : clients)
        for (const auto& link : FChangeLinks)
            if (link.first == client) {
                const auto handler = link.second;
                if (handler)
                    handler();
                break;
            }
}

void TImageList::SetBkColor(TColor value)
{
    if (value == FBkColor)
        return;
    FBkColor = value;
    Changed();
}

int TImageList::AddStrip(const TBitmap& strip, std::optional<std::uint32_t> mask)
{
    const int first = Count();
    if (strip.Empty())
        return -1;
    const int count = std::max(1, strip.Width() / FWidth);
    for (int i = 0; i < count; ++i) {
        TImage image{TBitmap(FWidth, FHeight, TPixelFormat::pf24bit), mask};
        image.Pixels.Fill(mask ? *mask : 0);
        for (int y = 0; y < std::min(FHeight, strip.Height()); ++y)
            for (int x = 0; x < FWidth && i * FWidth + x < strip.Width(); ++x)
                image.Pixels.SetPixel(x, y, strip.GetPixel(i * FWidth + x, y));
        FImages.push_back(std::move(image));
    }
    Changed();
    return first;
}

int TImageList::Add(const TBitmap& strip)
{
    return AddStrip(strip, std::nullopt);
}

int TImageList::AddMasked(const TBitmap& strip, TColor maskColor)
{
    return AddStrip(strip, ColorToDrawRGB(maskColor));
}

void TImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TImageList::Clear()
{
    if (FImages.empty())
        return;
    FImages.clear();
    Changed();
}

TBitmap TImageList::GetBitmap(int index) const
{
    if (index < 0 || index >= Count())
        return TBitmap();
    return FImages[static_cast<std::size_t>(index)].Pixels;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const TImage& image = FImages[static_cast<std::size_t>(index)];
    const std::uint32_t shadow = ColorToDrawRGB(clBtnShadow);
    for (int iy = 0; iy < FHeight; ++iy)
        for (int ix = 0; ix < FWidth; ++ix) {
            const std::uint32_t c = image.Pixels.GetPixel(ix, iy);
            if (image.Mask && c == *image.Mask)
                continue;
            canvas.SetPixel(x + ix, y + iy, enabled ? c : shadow);
        }
}

void TImageList::LoadStrip(std::span<const std::uint8_t> bmp)
{
    const TBitmap strip = TBmpCodec().Read(bmp);
    FImages.clear();
    if (FMasked)
        AddStrip(strip, strip.GetPixel(0, strip.Height() - 1));
    else
        AddStrip(strip, std::nullopt);
}

void TImageList::SetResourceName(const std::string& value)
{
    if (value.empty()) {
        FResourceName.clear();
        Clear();
        return;
    }
    LoadStrip(LoadResource("BITMAP", value));
    FResourceName = value;
}

void TImageList::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty(
        "Bitmap", [this](std::span<const std::uint8_t> data) { LoadStrip(data); }, nullptr, false);
}
