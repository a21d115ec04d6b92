#include "HostWindow.h"

#include <X11/Xlib.h>

#include <stdexcept>

THostWindow::THostWindow(const std::string& displayName, int width, int height, int x, int y, bool mapped)
{
    FDisplay = XOpenDisplay(displayName.c_str());
    if (!FDisplay)
        throw std::runtime_error("host window: cannot open display " + displayName);
    const int screen = DefaultScreen(FDisplay);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(FDisplay, screen);
    attributes.override_redirect = True; // placed exactly where asked, with or without a window manager
    FWindow = static_cast<std::uint32_t>(XCreateWindow(FDisplay, RootWindow(FDisplay, screen), x, y,
                                                       static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                                       CopyFromParent, InputOutput, CopyFromParent,
                                                       CWBackPixel | CWOverrideRedirect, &attributes));
    if (mapped)
        XMapWindow(FDisplay, FWindow);
    XSync(FDisplay, False);
}

THostWindow::~THostWindow()
{
    Destroy();
    XCloseDisplay(FDisplay);
}

void THostWindow::Map()
{
    XMapWindow(FDisplay, FWindow);
    XSync(FDisplay, False);
}

void THostWindow::Unmap()
{
    XUnmapWindow(FDisplay, FWindow);
    XSync(FDisplay, False);
}

void THostWindow::Raise()
{
    XRaiseWindow(FDisplay, FWindow);
    XSync(FDisplay, False);
}

void THostWindow::Destroy()
{
    if (!FWindow)
        return;
    XDestroyWindow(FDisplay, FWindow);
    XSync(FDisplay, False);
    FWindow = 0;
}
