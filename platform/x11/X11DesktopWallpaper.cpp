#include "platform/x11/X11DesktopWallpaper.h"

#include "platform/DesktopWallpaper.h"
#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// One connection, closed (and unregistered from the error trap) on every path.
class TConnection {
public:
    explicit TConnection(const std::string& name) : FDisplay(XOpenDisplay(name.empty() ? nullptr : name.c_str()))
    {
        if (FDisplay)
            TX11ErrorTrap::Register(FDisplay);
    }
    ~TConnection()
    {
        if (FDisplay) {
            XCloseDisplay(FDisplay);
            TX11ErrorTrap::Unregister(FDisplay);
        }
    }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;
    Display* Get() const { return FDisplay; }

private:
    Display* FDisplay;
};

// How one colour channel sits in a pixel value of a direct-colour visual.
struct TChannel {
    int Shift = 0;
    int Bits = 0;

    explicit TChannel(unsigned long mask)
    {
        if (mask == 0)
            return;
        Shift = std::countr_zero(mask);
        Bits = std::popcount(mask);
    }
    unsigned long Place(std::uint8_t value) const
    {
        if (Bits == 0)
            return 0;
        const unsigned long scaled = Bits >= 8 ? static_cast<unsigned long>(value) << (Bits - 8)
                                               : static_cast<unsigned long>(value) >> (8 - Bits);
        return scaled << Shift;
    }
};

// The pixel a screen position shows: the image scaled to cover width x height, centred,
// nearest neighbour.
class TCoverMap {
public:
    TCoverMap(int imageWidth, int imageHeight, int width, int height)
        : FImageWidth(imageWidth), FImageHeight(imageHeight)
    {
        const std::int64_t wide = static_cast<std::int64_t>(width) * imageHeight;
        const std::int64_t tall = static_cast<std::int64_t>(height) * imageWidth;
        if (wide >= tall) {
            FScaledWidth = width;
            FScaledHeight = static_cast<int>((static_cast<std::int64_t>(imageHeight) * width + imageWidth / 2) / imageWidth);
        } else {
            FScaledHeight = height;
            FScaledWidth = static_cast<int>((static_cast<std::int64_t>(imageWidth) * height + imageHeight / 2) / imageHeight);
        }
        FScaledWidth = FScaledWidth < 1 ? 1 : FScaledWidth;
        FScaledHeight = FScaledHeight < 1 ? 1 : FScaledHeight;
        FLeft = (width - FScaledWidth) / 2;
        FTop = (height - FScaledHeight) / 2;
    }
    int SourceX(int x) const { return Clamp((static_cast<std::int64_t>(x - FLeft) * FImageWidth) / FScaledWidth, FImageWidth); }
    int SourceY(int y) const { return Clamp((static_cast<std::int64_t>(y - FTop) * FImageHeight) / FScaledHeight, FImageHeight); }

private:
    static int Clamp(std::int64_t value, int limit)
    {
        return static_cast<int>(value < 0 ? 0 : value >= limit ? limit - 1 : value);
    }

    int FImageWidth;
    int FImageHeight;
    int FScaledWidth = 1;
    int FScaledHeight = 1;
    int FLeft = 0;
    int FTop = 0;
};

// The screen-sized image in the server's pixel format; the memory is ours, not Xlib's.
class TScreenImage {
public:
    TScreenImage(Display* display, Visual* visual, int depth, int width, int height)
    {
        FImage = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                              static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (FImage) {
            FData.resize(static_cast<std::size_t>(FImage->bytes_per_line) * static_cast<std::size_t>(height));
            FImage->data = reinterpret_cast<char*>(FData.data());
        }
    }
    ~TScreenImage()
    {
        if (FImage) {
            FImage->data = nullptr;  // the vector frees the pixels
            XDestroyImage(FImage);
        }
    }
    TScreenImage(const TScreenImage&) = delete;
    TScreenImage& operator=(const TScreenImage&) = delete;
    XImage* Get() const { return FImage; }

private:
    XImage* FImage = nullptr;
    std::vector<std::uint8_t> FData;
};

void Fill(XImage& image, const Visual& visual, const TPixelView& pixels)
{
    const TChannel red(visual.red_mask), green(visual.green_mask), blue(visual.blue_mask);
    const TCoverMap map(pixels.Width, pixels.Height, image.width, image.height);
    std::vector<int> columns(static_cast<std::size_t>(image.width));
    for (int x = 0; x < image.width; ++x)
        columns[static_cast<std::size_t>(x)] = map.SourceX(x) * pixels.BytesPerPixel;
    const bool direct32 = image.bits_per_pixel == 32
                          && (image.byte_order == LSBFirst) == (std::endian::native == std::endian::little);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* source = pixels.Row(map.SourceY(y));
        auto* target = reinterpret_cast<std::uint8_t*>(image.data) + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.bytes_per_line);
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = source + columns[static_cast<std::size_t>(x)];
            const unsigned long value = blue.Place(p[0]) | green.Place(p[1]) | red.Place(p[2]);
            if (direct32) {
                const auto word = static_cast<std::uint32_t>(value);
                std::memcpy(target + static_cast<std::size_t>(x) * 4, &word, 4);
            } else {
                XPutPixel(&image, x, y, value);
            }
        }
    }
}

// The pixmap a property of the root window names, or None.
Pixmap ReadPixmapProperty(Display* display, Window root, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Pixmap result = None;
    if (XGetWindowProperty(display, root, property, 0, 1, False, AnyPropertyType, &type, &format, &count, &after, &data) == Success
        && data) {
        if (type == XA_PIXMAP && format == 32 && count == 1)
            result = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return result;
}

[[noreturn]] void Fail(const std::string& why)
{
    throw EWallpaperError("Cannot set the desktop background. " + why);
}

} // namespace

void SetX11RootBackground(const std::string& displayName, const TPixelView& pixels)
{
    if (!pixels.Bits || pixels.Width <= 0 || pixels.Height <= 0 || (pixels.BytesPerPixel != 3 && pixels.BytesPerPixel != 4))
        Fail("The image is empty.");
    TConnection connection(displayName);
    Display* display = connection.Get();
    if (!display) {
        const char* shown = displayName.empty() ? std::getenv("DISPLAY") : displayName.c_str();
        Fail("Cannot open display \"" + std::string(shown ? shown : "") + "\".");
    }
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    const int width = DisplayWidth(display, screen);
    const int height = DisplayHeight(display, screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        Fail("The screen's visual (depth " + std::to_string(depth) + ") has no direct colours.");

    TScreenImage image(display, visual, depth, width, height);
    if (!image.Get())
        Fail("Out of memory for the screen image.");
    Fill(*image.Get(), *visual, pixels);

    TX11ErrorTrap trap(display);
    const Pixmap pixmap = XCreatePixmap(display, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                        static_cast<unsigned>(depth));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image.Get(), 0, 0, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFreeGC(display, gc);
    if (trap.Failed())
        Fail("The X server refused the background image (error " + std::to_string(trap.ErrorCode()) + ").");

    const Atom rootProperty = XInternAtom(display, "_XROOTPMAP_ID", False);
    const Atom setrootProperty = XInternAtom(display, "ESETROOT_PMAP_ID", False);
    // A pixmap published under both names was left behind by a setter like this one; it
    // lives on only because its client was retained, so release that client's resources.
    const Pixmap previous = ReadPixmapProperty(display, root, rootProperty);
    const bool previousRetained = previous != None && previous == ReadPixmapProperty(display, root, setrootProperty);

    XChangeProperty(display, root, rootProperty, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XChangeProperty(display, root, setrootProperty, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    if (trap.Failed())
        Fail("The X server refused the background (error " + std::to_string(trap.ErrorCode()) + ").");

    if (previousRetained) {
        TX11ErrorTrap killTrap(display);
        XKillClient(display, previous);
        killTrap.Failed();  // already gone: nothing to release
    }
    XSetCloseDownMode(display, RetainPermanent);
    XSync(display, False);
}
