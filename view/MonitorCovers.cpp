#include "view/MonitorCovers.h"

#include "platform/Display.h"

namespace {

bool Within(const TWindowRect& inner, const TWindowRect& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

} // namespace

TMonitorCovers::TMonitorCovers(TDisplay& display, const TWindowRect& primary) : FDisplay(display)
{
    try {
        for (const TWindowRect& monitor : display.MonitorRects()) {
            if (monitor.Width() <= 0 || monitor.Height() <= 0 || Within(monitor, primary))
                continue;
            TWindowParams params;
            params.Caption = "Veltrane";
            params.Left = monitor.Left;
            params.Top = monitor.Top;
            params.Width = monitor.Width();
            params.Height = monitor.Height();
            params.Style = wsFullScreen;
            params.TopMost = true;
            FWindows.push_back(display.CreateWindow(params));
            display.SetCursor(FWindows.back(), crNone);
            display.ShowWindow(FWindows.back(), true);
        }
    } catch (...) {
        for (TWindowId window : FWindows)
            display.DestroyWindow(window);
        throw;
    }
}

TMonitorCovers::~TMonitorCovers()
{
    for (TWindowId window : FWindows)
        FDisplay.DestroyWindow(window);
}
