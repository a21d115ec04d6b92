#include "ScreenGrab.h"

#include <cstring>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

std::vector<std::uint32_t> ReadScreen(_XDisplay* display, int left, int top, int width, int height)
{
    std::vector<std::uint32_t> pixels;
    XImage* image = XGetImage(display, DefaultRootWindow(display), left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    XDestroyImage(image);
    return pixels;
}

TBitmap GrabScreen(_XDisplay* display, int left, int top, int width, int height)
{
    const std::vector<std::uint32_t> pixels = ReadScreen(display, left, top, width, height);
    if (pixels.empty())
        return TBitmap{};
    TBitmap picture(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
            picture.SetPixel(x, y, ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16));
        }
    return picture;
}

bool SamePicture(const TBitmap& a, const TBitmap& b)
{
    return !a.Empty() && !b.Empty() && a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Bits(), b.Bits(), a.Stride() * static_cast<std::size_t>(a.Height())) == 0;
}
