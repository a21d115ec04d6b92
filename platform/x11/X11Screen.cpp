#include "platform/x11/X11Display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include "platform/x11/X11ColorMap.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Monitors.h"
#include "platform/x11/X11Presenter.h"

bool TX11Display::PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                              const TWindowRect& source)
{
    return FPresenter->Present(window, destX, destY, pixels, source);
}

TWindowSize TX11Display::ScreenSize()
{
    TCall call(*this);
    return TWindowSize{DisplayWidth(FDpy, FScreen), DisplayHeight(FDpy, FScreen)};
}

TWindowRect TX11Display::PrimaryMonitorRect()
{
    TCall call(*this);
    const TWindowRect whole{0, 0, DisplayWidth(FDpy, FScreen), DisplayHeight(FDpy, FScreen)};
    if (Lost() || !FHasRandr)
        return whole;
    for (const TX11Monitor& monitor : ListX11Monitors(FDpy, FRoot))
        if (monitor.Primary)
            return monitor.Rect;
    TX11ErrorTrap trap(FDpy);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(FDpy, FRoot);
    if (!resources)
        return whole;
    auto crtcRect = [&](RRCrtc crtc) -> std::optional<TWindowRect> {
        XRRCrtcInfo* info = XRRGetCrtcInfo(FDpy, resources, crtc);
        if (!info)
            return std::nullopt;
        std::optional<TWindowRect> rect;
        if (info->mode != None && info->width > 0 && info->height > 0)
            rect = TWindowRect{info->x, info->y, info->x + static_cast<int>(info->width),
                               info->y + static_cast<int>(info->height)};
        XRRFreeCrtcInfo(info);
        return rect;
    };
    std::optional<TWindowRect> result;
    const RROutput primary = XRRGetOutputPrimary(FDpy, FRoot);
    if (primary) {
        if (XRROutputInfo* output = XRRGetOutputInfo(FDpy, resources, primary)) {
            if (output->crtc)
                result = crtcRect(output->crtc);
            XRRFreeOutputInfo(output);
        }
    }
    for (int i = 0; !result && i < resources->ncrtc; ++i)
        result = crtcRect(resources->crtcs[i]);
    XRRFreeScreenResources(resources);
    return result && !trap.Failed() ? *result : whole;
}

int TX11Display::ScreenBitsPerPixel()
{
    TCall call(*this);
    return DefaultDepth(FDpy, FScreen);
}

bool TX11Display::ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target)
{
    TCall call(*this);
    if (Lost())
        return false;
    TX11ErrorTrap trap(FDpy);
    XImage* image = XGetImage(FDpy, FRoot, area.Left, area.Top, static_cast<unsigned>(area.Width()),
                              static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
    if (!image)
        return false;
    const Visual* visual = DefaultVisual(FDpy, FScreen);
    // A palette screen's pixels are cells of its colour map.
    const auto cells = X11IndexedVisual(visual->c_class)
                           ? X11ColorMapColors(FDpy, DefaultColormap(FDpy, FScreen), visual->map_entries)
                           : std::vector<std::array<std::uint8_t, 3>>{};
    auto channel = [](unsigned long value, unsigned long mask) -> std::uint8_t {
        if (!mask)
            return 0;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const unsigned long max = mask >> shift;
        return static_cast<std::uint8_t>(((value & mask) >> shift) * 255 / max);
    };
    for (int y = 0; y < target.Height; ++y) {
        std::uint8_t* dst = target.Row(y);
        for (int x = 0; x < target.Width; ++x, dst += target.BytesPerPixel) {
            const unsigned long pixel = XGetPixel(image, x, y);
            if (!cells.empty()) {
                const auto& cell = cells[pixel < cells.size() ? pixel : 0];
                std::copy(cell.begin(), cell.end(), dst);
            } else {
                dst[0] = channel(pixel, visual->blue_mask);
                dst[1] = channel(pixel, visual->green_mask);
                dst[2] = channel(pixel, visual->red_mask);
            }
            if (target.BytesPerPixel == 4)
                dst[3] = 0;
        }
    }
    XDestroyImage(image);
    return true;
}

void TX11Display::Beep()
{
    TCall call(*this);
    if (Lost())
        return;
    XBell(FDpy, 0);
    XFlush(FDpy);
}
