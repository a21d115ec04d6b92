#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DisplayEvent.h"
#include "platform/DisplayTypes.h"
#include "platform/Exception.h"

VELTRANE_EXCEPTION(EDisplayError, EOSError); // a window could not be created, the server is gone, ...

// The window system as the rest of the program sees it: top-level windows named by
// 32-bit ids, copying pixels onto them, their events, and the screen.
//
// Threads: PresentBits, GetWindowRect, WindowExists, IsWindowVisible and Wake may be
// called from any thread (the cross-fade worker presents while the main thread waits for events).
// Everything else belongs to the thread that runs the event loop.
//
// Windows that this display did not create (a host's preview window) are accepted by
// every call that takes a window id. A call on a window that does not exist does
// nothing and reports nothing (no error text on any stream).
class TDisplay {
public:
    virtual ~TDisplay() = default;

    // --- windows ---------------------------------------------------------------
    // Creates a top-level window, not yet shown. Raises EDisplayError on failure.
    virtual TWindowId CreateWindow(const TWindowParams& params) = 0;
    virtual void DestroyWindow(TWindowId window) = 0;
    // Maps (shows) or unmaps (hides) the window.
    virtual void ShowWindow(TWindowId window, bool show) = 0;
    // Moves and sizes the client area to rect (screen coordinates).
    virtual void SetWindowBounds(TWindowId window, const TWindowRect& rect) = 0;
    // 8-bit text in code page 1252.
    virtual void SetCaption(TWindowId window, std::string_view caption) = 0;
    // Optional: the window's icon (any size; 3 or 4 bytes a pixel, the 4th ignored).
    virtual void SetIcon(TWindowId /*window*/, const TPixelView& /*icon*/) {}
    // Keeps the window above the others (or stops doing so), and raises it.
    virtual void SetTopMost(TWindowId window, bool topMost) = 0;
    virtual void RaiseWindow(TWindowId window) = 0;
    virtual void SetFocus(TWindowId window) = 0;

    // The client area in screen coordinates (window-manager frames not included);
    // nothing when the window does not exist or the connection is lost.
    virtual std::optional<TWindowRect> GetWindowRect(TWindowId window) = 0;
    // The client size; 0 x 0 when the window does not exist.
    TWindowSize GetClientSize(TWindowId window)
    {
        const std::optional<TWindowRect> rect = GetWindowRect(window);
        return rect ? TWindowSize{rect->Width(), rect->Height()} : TWindowSize{};
    }
    bool WindowExists(TWindowId window) { return GetWindowRect(window).has_value(); }
    // Mapped and viewable (every ancestor mapped too). False for a window that does not exist.
    virtual bool IsWindowVisible(TWindowId window) = 0;
    // Asks for the structure events (deMapped, deUnmapped, deDestroyed, deConfigure) and
    // paint events of a window this display did not create. False when it does not exist.
    virtual bool WatchWindow(TWindowId window) = 0;

    // --- input -----------------------------------------------------------------
    // Sends all keyboard and pointer input to the window. False when the grab failed.
    virtual bool GrabInput(TWindowId window) = 0;
    virtual void ReleaseInput() = 0;
    // The cursor shown over a window (crNone hides it there).
    virtual void SetCursor(TWindowId window, TCursorShape shape) = 0;
    // Hides or shows the cursor over the whole screen, counted: it is hidden while more
    // hides than shows were asked for (every hide needs a show).
    void ShowCursor(bool show)
    {
        const bool wasHidden = FCursorShowCount < 0;
        FCursorShowCount += show ? 1 : -1;
        if ((FCursorShowCount < 0) != wasHidden)
            SetCursorHidden(!wasHidden);
    }
    // 0 when shown as at the start; below 0 hidden.
    int CursorShowCount() const { return FCursorShowCount; }
    // The pointer's position in screen coordinates.
    virtual TWindowPoint GetCursorPos() = 0;

    // --- pixels ----------------------------------------------------------------
    // Copies the rectangle source of pixels onto the window's client area with its
    // top-left corner at (destX, destY); parts outside the window or the source are
    // cut off. Callable from any thread. False, quietly, when the window does not exist
    // (or has gone) or the copy failed.
    virtual bool PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                             const TWindowRect& source) = 0;

    // --- events ----------------------------------------------------------------
    // Waits up to timeoutMs milliseconds (negative: no limit, 0: just look) for the next
    // event. False when none came. Never busy-waits.
    virtual bool WaitEvent(TDisplayEvent& event, int timeoutMs) = 0;
    // True when an event is ready (WaitEvent(event, 0) would return one).
    virtual bool Pending() = 0;
    // Makes a running or the next WaitEvent return a deWake event. Any thread.
    virtual void Wake() = 0;
    // True once the connection to the display server is lost. The display then answers
    // every call with failure and WaitEvent reports deConnectionLost once.
    virtual bool ConnectionLost() const = 0;

    // --- the screen ------------------------------------------------------------
    virtual TWindowSize ScreenSize() = 0;
    // The primary monitor in screen coordinates.
    virtual TWindowRect PrimaryMonitorRect() = 0;
    // Every monitor in screen coordinates, the primary one first (they may overlap).
    virtual std::vector<TWindowRect> MonitorRects() { return {PrimaryMonitorRect()}; }
    // Bits per pixel of the screen (24 for true colour).
    virtual int ScreenBitsPerPixel() = 0;
    // Reads the screen pixels of rect into buffer (buffer size = rect size, cut to the
    // buffer); pixels outside the screen are black. False when the read failed.
    bool ReadScreen(const TWindowRect& rect, const TPixelBuffer& buffer);
    virtual void Beep() = 0;

    // --- clipboard (8-bit text in code page 1252) -------------------------------
    virtual void SetClipboardText(std::string_view text) = 0;
    // Nothing when the clipboard holds no text or its owner did not answer in time.
    virtual std::optional<std::string> GetClipboardText() = 0;

protected:
    // Hides (or shows again) the cursor over the whole screen; called by ShowCursor when
    // the count crosses zero.
    virtual void SetCursorHidden(bool hidden) = 0;
    // Reads area, which lies on the screen, into target, which is exactly its size.
    virtual bool ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target) = 0;

private:
    int FCursorShowCount = 0;
};
