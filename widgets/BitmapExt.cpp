#include "widgets/BitmapExt.h"

#include "gfx/RasterOp.h"

#include <algorithm>
#include <vector>

bool BitmapHasPixels(const TBitmap* bitmap)
{
    return bitmap && bitmap->Width() != 0 && bitmap->Height() != 0;
}

namespace {

TBitmap PreparePicture(const TBitmap& source, int drawStyle, TColor transparentRGB, TColor recolorColor)
{
    const int w = source.Width();
    const int h = source.Height();
    TBitmap work(w, h, TPixelFormat::pf32bit);
    work.Fill(transparentRGB);

    if (drawStyle == bdsDisabled) {
        const TColor recolorRGB = ColorToDrawRGB(recolorColor);
        std::vector<bool> ink(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                TColor pixel = source.GetPixel(x, y);
                if (recolorColor != 0 && pixel == recolorRGB)
                    pixel = clBlack;
                ink[static_cast<std::size_t>(y) * w + x] = pixel != clWhite && pixel != transparentRGB;
            }
        work.Fill(ColorToDrawRGB(clBtnFace));
        const TColor highlight = ColorToDrawRGB(clBtnHighlight);
        const TColor shadow = ColorToDrawRGB(clBtnShadow);
        for (int y = 0; y + 1 < h; ++y)
            for (int x = 0; x + 1 < w; ++x)
                if (ink[static_cast<std::size_t>(y) * w + x])
                    work.SetPixel(x + 1, y + 1, highlight);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (ink[static_cast<std::size_t>(y) * w + x])
                    work.SetPixel(x, y, shadow);
        return work;
    }

    const TColor highlight = ColorToDrawRGB(clBtnHighlight);
    const TColor shadow = ColorToDrawRGB(clBtnShadow);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            TColor pixel = source.GetPixel(x, y);
            if (drawStyle == bdsRecolored) {
                if (pixel == clWhite)
                    pixel = highlight;
                else if (pixel == clGray)
                    pixel = shadow;
            }
            work.SetPixel(x, y, pixel);
        }
    return work;
}

TBitmap Scaled(TBitmap& picture, int width, int height)
{
    TBitmap result(width, height, TPixelFormat::pf32bit);
    result.Canvas().StretchBlt(0, 0, width, height, picture, 0, 0, picture.Width(), picture.Height(), SRCCOPY);
    return result;
}

// Draws (part of) the picture at (x, y), opaque or through its mask.
class TPictureCopier {
public:
    TPictureCopier(TCanvas& canvas, TBitmap& picture, bool transparent, TColor transparentRGB)
        : FCanvas(canvas), FPicture(picture), FTransparent(transparent)
    {
        if (!transparent)
            return;
        // White where the picture has the transparent colour, black elsewhere.
        FMask = TBitmap(picture.Width(), picture.Height(), TPixelFormat::pf32bit);
        FMask.SetMonochrome(true);
        FPicture.Canvas().SetBkColor(transparentRGB);
        FMask.Canvas().BitBlt(0, 0, picture.Width(), picture.Height(), FPicture.Canvas(), 0, 0, SRCCOPY);
    }

    void Copy(int x, int y, int width, int height)
    {
        if (!FTransparent) {
            FCanvas.BitBlt(x, y, width, height, FPicture, 0, 0, SRCCOPY);
            return;
        }
        // Device ^ picture, masked to zero where the picture shows, ^ picture again:
        // the picture where the mask is black, the device unchanged where it is white.
        TCanvasState keep(FCanvas);
        FCanvas.SetTextColor(clBlack);
        FCanvas.SetBkColor(clWhite);
        FCanvas.BitBlt(x, y, width, height, FPicture, 0, 0, SRCINVERT);
        FCanvas.BitBlt(x, y, width, height, FMask, 0, 0, SRCAND);
        FCanvas.BitBlt(x, y, width, height, FPicture, 0, 0, SRCINVERT);
    }

private:
    TCanvas& FCanvas;
    TBitmap& FPicture;
    bool FTransparent;
    TBitmap FMask;
};

} // namespace

void DrawBitmapExt(TCanvas& canvas, const TBitmap* bitmap, const TRect& rect, int xOffset, int yOffset,
                   TglWallpaperOption placement, int drawStyle, bool transparent, TColor transparentColor,
                   TColor recolorColor)
{
    if (!BitmapHasPixels(bitmap) || bitmap->Width() < 0 || bitmap->Height() < 0)
        return;
    const TColor transparentRGB = ColorToDrawRGB(drawStyle == bdsDisabled ? clBtnFace : transparentColor);
    TBitmap picture = PreparePicture(*bitmap, drawStyle, ColorToDrawRGB(transparentColor), recolorColor);

    if (placement == fwoStretch) {
        if (rect.Width() <= 0 || rect.Height() <= 0)
            return;
        picture = Scaled(picture, rect.Width(), rect.Height());
    } else if (placement == fwoPropStretch) {
        const double scale = std::min(static_cast<double>(rect.Width()) / picture.Width(),
                                      static_cast<double>(rect.Height()) / picture.Height());
        const int width = static_cast<int>(picture.Width() * scale);
        const int height = static_cast<int>(picture.Height() * scale);
        if (width <= 0 || height <= 0)
            return;
        picture = Scaled(picture, width, height);
    }

    const int x0 = rect.Left + xOffset;
    const int y0 = rect.Top + yOffset;
    const int pw = picture.Width();
    const int ph = picture.Height();
    TPictureCopier copier(canvas, picture, transparent, transparentRGB);
    if (placement != fwoTile) {
        copier.Copy(x0, y0, pw, ph);
        return;
    }
    for (int x = x0; x < rect.Right; x += pw)
        for (int y = y0; y < rect.Bottom; y += ph)
            copier.Copy(x, y, std::min(pw, rect.Right - x), std::min(ph, rect.Bottom - y));
}
