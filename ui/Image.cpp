#include "ui/Image.h"

#include "classes/Published.h"

#include "gfx/Canvas.h"

#include <algorithm>

const TClassInfo& TImage::StaticClass()
{
    using T = TImage;
    static const TClassInfo info = MakeClass<T, TGraphicControl>(
        "TImage", {
                      Published<T>("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false),
                      Published<T>("Center", &T::Center, &T::SetCenter).Default(false),
                      Published<T>("Picture", &T::Picture, &T::SetPicture),
                      Published<T>("Proportional", &T::Proportional, &T::SetProportional).Default(false),
                      Published<T>("Stretch", &T::Stretch, &T::SetStretch).Default(false),
                      Published<T>("Transparent", &T::Transparent, &T::SetTransparent).Default(false),
                  });
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    FControlStyle.Include(csReplicatable);
    FWidth = 105;
    FHeight = 105;
    FPicture.OnChange = [this] { PictureChanged(); };
}

void TImage::SetPicture(TPicture* value)
{
    if (value && value != &FPicture)
        FPicture.Assign(*value);
    else if (!value)
        FPicture.Clear();
}

void TImage::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    if (value && !FPicture.Empty())
        SetBounds(FLeft, FTop, FPicture.Width(), FPicture.Height());
}

void TImage::SetCenter(bool value)
{
    if (value == FCenter)
        return;
    FCenter = value;
    Invalidate();
}

void TImage::SetStretch(bool value)
{
    if (value == FStretch)
        return;
    FStretch = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    if (value == FProportional)
        return;
    FProportional = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Invalidate();
}

void TImage::PictureChanged()
{
    if (FAutoSize && !FPicture.Empty())
        SetBounds(FLeft, FTop, FPicture.Width(), FPicture.Height());
    Invalidate();
}

TRect TImage::DestRect() const
{
    int w = FPicture.Width();
    int h = FPicture.Height();
    const int cw = FWidth;
    const int ch = FHeight;
    if (w <= 0 || h <= 0)
        return TRect{};
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional) {
            // The larger ratio decides; 64-bit products keep large pictures exact.
            if (static_cast<long long>(cw) * h < static_cast<long long>(ch) * w) {
                h = static_cast<int>(static_cast<long long>(h) * cw / w);
                w = cw;
            } else {
                w = static_cast<int>(static_cast<long long>(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Bounds(0, 0, w, h);
    if (FCenter) {
        const int dx = (cw - w) / 2;
        const int dy = (ch - h) / 2;
        r = Bounds(dx, dy, w, h);
    }
    return r;
}

void TImage::Paint()
{
    const TBitmap* bitmap = FPicture.Bitmap();
    if (!bitmap || FWidth <= 0 || FHeight <= 0)
        return;
    TCanvas& canvas = Canvas();
    const TRect dest = DestRect();
    if (dest.IsEmpty())
        return;
    if (!FTransparent) {
        if (dest.Width() == bitmap->Width() && dest.Height() == bitmap->Height())
            canvas.Draw(dest.Left, dest.Top, *bitmap);
        else
            canvas.StretchDraw(dest, *bitmap);
        return;
    }
    // Transparent: every pixel except those of the key colour, taken from the bottom-left corner.
    const std::uint32_t key = bitmap->GetPixel(0, bitmap->Height() - 1);
    const TRect area = dest.Intersect(canvas.ClipRect());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = static_cast<int>((2LL * (y - dest.Top) + 1) * bitmap->Height() / (2LL * dest.Height()));
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = static_cast<int>((2LL * (x - dest.Left) + 1) * bitmap->Width() / (2LL * dest.Width()));
            const std::uint32_t c = bitmap->GetPixel(sx, sy);
            if (c != key)
                canvas.SetPixel(x, y, c);
        }
    }
}
