#include "platform/x11/X11StayOnTop.h"

#include <X11/Xlib.h>

#include <algorithm>

TX11StayOnTop::TX11StayOnTop(Display* display, unsigned long root) : FDisplay(display), FRoot(root) {}

void TX11StayOnTop::Add(unsigned long window, bool topMost)
{
    FOwn.insert(window);
    SetTopMost(window, topMost);
}

void TX11StayOnTop::SetTopMost(unsigned long window, bool topMost)
{
    FTopMost.erase(std::remove(FTopMost.begin(), FTopMost.end(), window), FTopMost.end());
    if (!topMost)
        return;
    FTopMost.push_back(window);
    FShownOthers.erase(window);
    if (!FWatchingRoot) {
        // Every change of the root's children: maps, raises, restacks.
        XSelectInput(FDisplay, FRoot, SubstructureNotifyMask);
        FWatchingRoot = true;
    }
}

bool TX11StayOnTop::TopMost(unsigned long window) const
{
    return std::find(FTopMost.begin(), FTopMost.end(), window) != FTopMost.end();
}

void TX11StayOnTop::Forget(unsigned long window)
{
    FTopMost.erase(std::remove(FTopMost.begin(), FTopMost.end(), window), FTopMost.end());
    FOwn.erase(window);
    FShownOthers.erase(window);
}

void TX11StayOnTop::Notice(const XEvent& event)
{
    if (FTopMost.empty())
        return;
    switch (event.type) {
    case MapNotify:
        if (event.xmap.event == FRoot && !Own(event.xmap.window))
            Raise();
        else if (event.xmap.event == event.xmap.window && Own(event.xmap.window) && !TopMost(event.xmap.window))
            FShownOthers.insert(event.xmap.window);
        break;
    case UnmapNotify:
        if (event.xunmap.event == event.xunmap.window)
            FShownOthers.erase(event.xunmap.window);
        break;
    case ConfigureNotify:
        if (event.xconfigure.event == FRoot && !Own(event.xconfigure.window))
            Raise();
        break;
    case CirculateNotify:
        if (event.xcirculate.event == FRoot && !Own(event.xcirculate.window) && event.xcirculate.place == PlaceOnTop)
            Raise();
        break;
    case VisibilityNotify:
        if (event.xvisibility.window == FTopMost.back() && event.xvisibility.state != VisibilityUnobscured)
            Raise();
        break;
    default:
        break;
    }
}

void TX11StayOnTop::Raise()
{
    if (!FShownOthers.empty())
        return;
    for (const Window window : FTopMost)
        XRaiseWindow(FDisplay, window);
    XFlush(FDisplay);
}
