#include "platform/x11/X11Display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11StayOnTop.h"
#include "platform/x11/X11Text.h"

TWindowId TX11Display::CreateWindow(const TWindowParams& params)
{
    TCall call(*this);
    if (Lost())
        throw EDisplayError("The connection to the display is lost");
    const int width = std::max(params.Width, 1);
    const int height = std::max(params.Height, 1);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(FDpy, FScreen);
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                            StructureNotifyMask | VisibilityChangeMask;
    attributes.override_redirect = params.Style == wsFullScreen ? True : False;
    attributes.bit_gravity = NorthWestGravity;
    TX11ErrorTrap trap(FDpy);
    const Window window =
        XCreateWindow(FDpy, FRoot, params.Left, params.Top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWEventMask | CWOverrideRedirect | CWBitGravity, &attributes);
    if (trap.Failed() || !window)
        throw EDisplayError("Cannot create a window");

    TWindowInfo info;
    info.OverrideRedirect = params.Style == wsFullScreen;
    info.Dialog = params.Style == wsDialog;
    info.TopMost = params.TopMost;
    FWindows[window] = info;
    FStayOnTop->Add(window, info.OverrideRedirect && info.TopMost);

    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = USPosition | PPosition;
        hints->x = params.Left;
        hints->y = params.Top;
        if (info.Dialog) {
            hints->flags |= PMinSize | PMaxSize;
            hints->min_width = hints->max_width = width;
            hints->min_height = hints->max_height = height;
        }
        XSetWMNormalHints(FDpy, window, hints);
        XFree(hints);
    }
    XClassHint* classHint = XAllocClassHint();
    if (classHint) {
        char instance[] = "veltrane";
        char className[] = "Veltrane";
        classHint->res_name = instance;
        classHint->res_class = className;
        XSetClassHint(FDpy, window, classHint);
        XFree(classHint);
    }
    XSetWMProtocols(FDpy, window, &FWmDeleteWindow, 1);
    const Atom type = info.Dialog ? FNetWmTypeDialog : FNetWmTypeNormal;
    XChangeProperty(FDpy, window, FNetWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    if (info.OverrideRedirect) {
        // No window manager stacks it; a compositing one reads these to keep it on top, unredirected.
        const Atom states[] = {FNetWmStateAbove, FNetWmStateFullScreen};
        XChangeProperty(FDpy, window, FNetWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states), 2);
    } else if (params.TopMost) {
        XChangeProperty(FDpy, window, FNetWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&FNetWmStateAbove), 1);
    }
    SetCaption(static_cast<TWindowId>(window), params.Caption);
    XSync(FDpy, False); // the presenter's connection must see the window at once
    return static_cast<TWindowId>(window);
}

void TX11Display::DestroyWindow(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    XDestroyWindow(FDpy, window);
    XSync(FDpy, False);
    FWindows.erase(window);
    FStayOnTop->Forget(window);
}

void TX11Display::ShowWindow(TWindowId window, bool show)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    auto it = FWindows.find(window);
    if (show) {
        XMapRaised(FDpy, window);
    } else if (it != FWindows.end() && !it->second.OverrideRedirect) {
        XWithdrawWindow(FDpy, window, FScreen); // tells a window manager as well
    } else {
        XUnmapWindow(FDpy, window);
    }
    XFlush(FDpy);
}

void TX11Display::SetFixedSize(Window window, int width, int height)
{
    XSizeHints* hints = XAllocSizeHints();
    if (!hints)
        return;
    long supplied = 0;
    XGetWMNormalHints(FDpy, window, hints, &supplied);
    hints->flags |= PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(FDpy, window, hints);
    XFree(hints);
}

void TX11Display::SetWindowBounds(TWindowId window, const TWindowRect& rect)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    const int width = std::max(rect.Width(), 1);
    const int height = std::max(rect.Height(), 1);
    auto it = FWindows.find(window);
    if (it != FWindows.end() && it->second.Dialog)
        SetFixedSize(window, width, height);
    XMoveResizeWindow(FDpy, window, rect.Left, rect.Top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(FDpy);
}

void TX11Display::SetCaption(TWindowId window, std::string_view caption)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    const std::string latin1 = Latin1FromCp1252(caption);
    XChangeProperty(FDpy, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
    const std::string utf8 = Utf8FromCp1252(caption);
    XChangeProperty(FDpy, window, FNetWmName, FUtf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
    XFlush(FDpy);
}

void TX11Display::SetIcon(TWindowId window, const TPixelView& icon)
{
    TCall call(*this);
    if (Lost() || !window || !icon.Bits || icon.Width <= 0 || icon.Height <= 0)
        return;
    // _NET_WM_ICON: width, height, then opaque ARGB pixels, each in a long.
    std::vector<unsigned long> data;
    data.reserve(2 + static_cast<size_t>(icon.Width) * icon.Height);
    data.push_back(static_cast<unsigned long>(icon.Width));
    data.push_back(static_cast<unsigned long>(icon.Height));
    for (int y = 0; y < icon.Height; ++y) {
        const std::uint8_t* p = icon.Row(y);
        for (int x = 0; x < icon.Width; ++x, p += icon.BytesPerPixel)
            data.push_back(0xFF000000ul | (static_cast<unsigned long>(p[2]) << 16) |
                           (static_cast<unsigned long>(p[1]) << 8) | p[0]);
    }
    XChangeProperty(FDpy, window, FNetWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    XFlush(FDpy);
}

void TX11Display::SendNetWmState(Window window, bool add, Atom state)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = FNetWmState;
    message.xclient.format = 32;
    message.xclient.data.l[0] = add ? 1 : 0;
    message.xclient.data.l[1] = static_cast<long>(state);
    message.xclient.data.l[3] = 1; // a normal application
    XSendEvent(FDpy, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
}

void TX11Display::SetTopMost(TWindowId window, bool topMost)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    auto it = FWindows.find(window);
    const bool managed = it == FWindows.end() || !it->second.OverrideRedirect;
    if (it != FWindows.end()) {
        it->second.TopMost = topMost;
        FStayOnTop->SetTopMost(window, topMost && !managed);
    }
    if (managed) {
        // Before mapping the property is read by the window manager; afterwards it is asked.
        if (topMost)
            XChangeProperty(FDpy, window, FNetWmState, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&FNetWmStateAbove), 1);
        else
            XDeleteProperty(FDpy, window, FNetWmState);
        SendNetWmState(window, topMost, FNetWmStateAbove);
    }
    if (topMost)
        XRaiseWindow(FDpy, window);
    XFlush(FDpy);
}

void TX11Display::RaiseWindow(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    XRaiseWindow(FDpy, window);
    XFlush(FDpy);
}

void TX11Display::SetFocus(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window || !IsWindowVisible(window))
        return;
    XSetInputFocus(FDpy, window, RevertToParent, CurrentTime);
    XFlush(FDpy);
}

std::optional<TWindowRect> TX11Display::GetWindowRect(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return std::nullopt;
    TX11ErrorTrap trap(FDpy);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(FDpy, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(FDpy, window, FRoot, 0, 0, &x, &y, &child) || trap.Failed())
        return std::nullopt;
    return TWindowRect{x, y, x + attributes.width, y + attributes.height};
}

bool TX11Display::IsWindowVisible(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return false;
    TX11ErrorTrap trap(FDpy);
    XWindowAttributes attributes;
    // IsViewable: mapped, and every ancestor mapped too.
    return XGetWindowAttributes(FDpy, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

bool TX11Display::WatchWindow(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return false;
    if (FWindows.count(window))
        return true; // ours: already selected
    TX11ErrorTrap trap(FDpy);
    XSelectInput(FDpy, window, StructureNotifyMask | ExposureMask);
    return !trap.Failed();
}
