#include "platform/x11/X11Presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <map>

#include "platform/Display.h"
#include "platform/x11/X11ColorMap.h"
#include "platform/x11/X11ErrorTrap.h"

namespace {

int MaskShift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int MaskBits(unsigned long mask)
{
    int bits = 0;
    for (; mask; mask >>= 1)
        bits += mask & 1;
    return bits;
}

// Scales an 8-bit channel into a visual's channel mask.
unsigned long Channel(unsigned value, unsigned long mask)
{
    const int bits = MaskBits(mask);
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8) : value >> (8 - bits);
    return (scaled << MaskShift(mask)) & mask;
}

} // namespace

struct TX11Presenter::TState {
    struct TImage {
        int Width = 0;
        int Height = 0;
        int Depth = 0;
        XImage* Image = nullptr;
        XShmSegmentInfo Shm{};
        bool Shared = false;
    };

    Display* Dpy = nullptr;
    bool ShmAvailable = false;
    bool ShmUsed = false;
    std::list<TImage> Images; // most recently used first
    std::list<std::pair<int, GC>> Gcs; // by depth
    std::map<Colormap, TX11ColorMap> ColorMaps; // of the indexed visuals drawn on

    const TX11ColorMap& ColorMapFor(Colormap colormap, int entries)
    {
        auto it = ColorMaps.find(colormap);
        if (it == ColorMaps.end())
            it = ColorMaps.emplace(colormap, TX11ColorMap(Dpy, colormap, entries)).first;
        return it->second;
    }

    ~TState()
    {
        if (!Dpy)
            return;
        for (TImage& image : Images)
            Release(image);
        if (TX11ErrorTrap::IsLost(Dpy)) {
            // Lost while another thread (a cross-fade worker) was drawing: Xlib may still hold
            // that thread's claim on the connection, and any further call would wait for ever.
            // The dead connection is left as it is; only the client-side GC records are freed,
            // without a request to the server that is gone.
            for (auto& [depth, gc] : Gcs)
                XFree(gc);
            TX11ErrorTrap::Unregister(Dpy);
            return;
        }
        for (auto& [depth, gc] : Gcs)
            XFreeGC(Dpy, gc);
        XCloseDisplay(Dpy);
        TX11ErrorTrap::Unregister(Dpy);
    }

    void Release(TImage& image)
    {
        if (!image.Image)
            return;
        if (image.Shared) {
            if (!TX11ErrorTrap::IsLost(Dpy))
                XShmDetach(Dpy, &image.Shm);
            image.Image->data = nullptr;
            XDestroyImage(image.Image);
            shmdt(image.Shm.shmaddr);
        } else {
            XDestroyImage(image.Image); // frees the data as well
        }
        image.Image = nullptr;
    }

    XImage* CreateShared(Visual* visual, int depth, int width, int height, XShmSegmentInfo& shm)
    {
        XImage* image = XShmCreateImage(Dpy, visual, depth, ZPixmap, nullptr, &shm, width, height);
        if (!image)
            return nullptr;
        shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
        if (shm.shmid < 0) {
            XDestroyImage(image);
            return nullptr;
        }
        shm.shmaddr = image->data = static_cast<char*>(shmat(shm.shmid, nullptr, 0));
        shm.readOnly = False;
        if (shm.shmaddr == reinterpret_cast<char*>(-1)) {
            shmctl(shm.shmid, IPC_RMID, nullptr);
            image->data = nullptr;
            XDestroyImage(image);
            return nullptr;
        }
        TX11ErrorTrap trap(Dpy);
        XShmAttach(Dpy, &shm);
        const bool failed = trap.Failed();
        // Marked for removal now: the segment goes away when both sides have detached.
        shmctl(shm.shmid, IPC_RMID, nullptr);
        if (failed) {
            image->data = nullptr;
            XDestroyImage(image);
            shmdt(shm.shmaddr);
            return nullptr;
        }
        return image;
    }

    TImage* ImageFor(Visual* visual, int depth, int width, int height)
    {
        for (auto it = Images.begin(); it != Images.end(); ++it)
            if (it->Width == width && it->Height == height && it->Depth == depth) {
                Images.splice(Images.begin(), Images, it);
                return &Images.front();
            }
        // The image keeps a pointer to its segment record: build it in its final place.
        Images.emplace_front();
        TImage& entry = Images.front();
        entry.Width = width;
        entry.Height = height;
        entry.Depth = depth;
        if (ShmAvailable) {
            entry.Image = CreateShared(visual, depth, width, height, entry.Shm);
            entry.Shared = entry.Image != nullptr;
            if (!entry.Image)
                ShmAvailable = false; // e.g. a server on another machine
        }
        if (!entry.Image) {
            entry.Image = XCreateImage(Dpy, visual, depth, ZPixmap, 0, nullptr, width, height, 32, 0);
            if (entry.Image) {
                entry.Image->data = static_cast<char*>(std::calloc(static_cast<size_t>(entry.Image->bytes_per_line), height));
                if (!entry.Image->data) {
                    XDestroyImage(entry.Image);
                    entry.Image = nullptr;
                }
            }
            if (!entry.Image) {
                Images.pop_front();
                return nullptr;
            }
        }
        // A few sizes are enough: the frame, a form's back buffer, a damaged region or two.
        while (Images.size() > 4) {
            Release(Images.back());
            Images.pop_back();
        }
        return &Images.front();
    }

    GC GcFor(Window window, int depth)
    {
        for (auto& [d, gc] : Gcs)
            if (d == depth)
                return gc;
        TX11ErrorTrap trap(Dpy);
        GC gc = XCreateGC(Dpy, window, 0, nullptr);
        if (trap.Failed()) {
            XFree(gc); // the server made no GC: only the client-side record is freed
            return nullptr; // the window went away meanwhile; the GC id is unusable
        }
        XSetGraphicsExposures(Dpy, gc, False);
        Gcs.emplace_back(depth, gc);
        return gc;
    }
};

TX11Presenter::TX11Presenter(const char* displayName) : FState(std::make_unique<TState>())
{
    FState->Dpy = XOpenDisplay(displayName);
    if (!FState->Dpy) {
        throw EDisplayError("Cannot open the display for drawing");
    }
    TX11ErrorTrap::Register(FState->Dpy);
    FState->ShmAvailable = XShmQueryExtension(FState->Dpy) == True;
}

TX11Presenter::~TX11Presenter() = default;

bool TX11Presenter::UsesSharedMemory() const
{
    std::lock_guard lock(FLock);
    return FState->ShmUsed;
}

bool TX11Presenter::Lost() const
{
    std::lock_guard lock(FLock);
    return TX11ErrorTrap::IsLost(FState->Dpy);
}

bool TX11Presenter::Present(TWindowId window, int destX, int destY, const TPixelView& pixels, const TWindowRect& source)
{
    if (!window || !pixels.Bits || (pixels.BytesPerPixel != 3 && pixels.BytesPerPixel != 4))
        return false;
    std::lock_guard lock(FLock);
    TState& s = *FState;
    if (TX11ErrorTrap::IsLost(s.Dpy))
        return false;

    int srcLeft = std::max(source.Left, 0);
    int srcTop = std::max(source.Top, 0);
    const int srcRight = std::min(source.Right, pixels.Width);
    const int srcBottom = std::min(source.Bottom, pixels.Height);
    destX += srcLeft - source.Left;
    destY += srcTop - source.Top;
    const int width = srcRight - srcLeft;
    const int height = srcBottom - srcTop;

    XWindowAttributes attributes;
    {
        TX11ErrorTrap trap(s.Dpy);
        const Status ok = XGetWindowAttributes(s.Dpy, window, &attributes);
        if (!ok || trap.Failed())
            return false; // no such window: quietly nothing
    }
    if (width <= 0 || height <= 0)
        return true;

    GC gc = s.GcFor(window, attributes.depth);
    if (!gc)
        return false;
    TState::TImage* entry = s.ImageFor(attributes.visual, attributes.depth, width, height);
    if (!entry)
        return false;
    XImage* image = entry->Image;

    const bool fast = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                      attributes.visual->red_mask == 0xFF0000 && attributes.visual->green_mask == 0xFF00 &&
                      attributes.visual->blue_mask == 0xFF;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels.Row(srcTop + y) + static_cast<size_t>(srcLeft) * pixels.BytesPerPixel;
        if (fast) {
            auto* dst = reinterpret_cast<std::uint8_t*>(image->data + static_cast<size_t>(y) * image->bytes_per_line);
            if (pixels.BytesPerPixel == 4) {
                std::memcpy(dst, src, static_cast<size_t>(width) * 4);
            } else {
                for (int x = 0; x < width; ++x, src += 3, dst += 4) {
                    dst[0] = src[0];
                    dst[1] = src[1];
                    dst[2] = src[2];
                    dst[3] = 0;
                }
            }
        } else if (X11IndexedVisual(attributes.visual->c_class)) {
            // A palette screen: the nearest colour its map was given.
            const TX11ColorMap& map = s.ColorMapFor(attributes.colormap, attributes.visual->map_entries);
            for (int x = 0; x < width; ++x, src += pixels.BytesPerPixel)
                XPutPixel(image, x, y, map.Pixel(src[2], src[1], src[0]));
        } else {
            const Visual* v = attributes.visual;
            for (int x = 0; x < width; ++x, src += pixels.BytesPerPixel)
                XPutPixel(image, x, y,
                          Channel(src[2], v->red_mask) | Channel(src[1], v->green_mask) | Channel(src[0], v->blue_mask));
        }
    }

    TX11ErrorTrap trap(s.Dpy);
    if (entry->Shared) {
        XShmPutImage(s.Dpy, window, gc, image, 0, 0, destX, destY, width, height, False);
        s.ShmUsed = true;
    } else {
        XPutImage(s.Dpy, window, gc, image, 0, 0, destX, destY, width, height);
    }
    // Waiting here also makes the shared image free for the next present.
    const bool failed = trap.Failed();
    return !failed;
}
