#include "HostWindow.h"

#include <X11/Xlib.h>

THostWindow::THostWindow(const std::string& displayName, int width, int height, int x, int y, bool mapped)
    : FConnection(displayName)
{
    Display* display = FConnection.Get();
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display, screen);
    attributes.override_redirect = True; // placed exactly where asked, with or without a window manager
    FWindow = static_cast<std::uint32_t>(XCreateWindow(display, RootWindow(display, screen), x, y,
                                                       static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                                       CopyFromParent, InputOutput, CopyFromParent,
                                                       CWBackPixel | CWOverrideRedirect, &attributes));
    if (mapped)
        XMapWindow(display, FWindow);
    FConnection.Sync("creating the host window");
}

THostWindow::~THostWindow()
{
    // A server that is gone took the window with it.
    if (FWindow && !FConnection.Lost()) {
        XDestroyWindow(FConnection.Get(), FWindow);
        XSync(FConnection.Get(), False);
    }
}

void THostWindow::Map()
{
    XMapWindow(FConnection.Get(), FWindow);
    FConnection.Sync("mapping the host window");
}

void THostWindow::Unmap()
{
    XUnmapWindow(FConnection.Get(), FWindow);
    FConnection.Sync("unmapping the host window");
}

void THostWindow::Raise()
{
    XRaiseWindow(FConnection.Get(), FWindow);
    FConnection.Sync("raising the host window");
}

void THostWindow::Destroy()
{
    if (!FWindow)
        return;
    XDestroyWindow(FConnection.Get(), FWindow);
    FWindow = 0;
    FConnection.Sync("destroying the host window");
}
