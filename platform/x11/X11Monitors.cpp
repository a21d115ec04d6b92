#include "platform/x11/X11Monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/x11/X11Display.h"
#include "platform/x11/X11ErrorTrap.h"

std::vector<TX11Monitor> ListX11Monitors(Display* display, unsigned long root)
{
    std::vector<TX11Monitor> monitors;
    TX11ErrorTrap trap(display);
    int count = 0;
    XRRMonitorInfo* infos = XRRGetMonitors(display, root, False, &count);
    if (!infos)
        return monitors;
    for (int i = 0; i < count; ++i)
        if (infos[i].width > 0 && infos[i].height > 0)
            monitors.push_back(TX11Monitor{
                TWindowRect{infos[i].x, infos[i].y, infos[i].x + infos[i].width, infos[i].y + infos[i].height},
                infos[i].primary != 0});
    XRRFreeMonitors(infos);
    if (trap.Failed())
        monitors.clear();
    return monitors;
}

std::vector<TWindowRect> TX11Display::MonitorRects()
{
    TCall call(*this);
    const TWindowRect primary = PrimaryMonitorRect();
    std::vector<TWindowRect> rects{primary};
    if (Lost() || !FHasRandr)
        return rects;
    for (const TX11Monitor& monitor : ListX11Monitors(FDpy, FRoot))
        if (monitor.Rect != primary)
            rects.push_back(monitor.Rect);
    return rects;
}
