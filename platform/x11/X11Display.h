#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Display.h"
#include "platform/DisplayClickTracker.h"

struct _XDisplay;
union _XEvent;
class TX11Presenter;
class TX11StayOnTop;

// The real display: an X11 server through Xlib. Null when no server answers at name
// (nullptr: $DISPLAY).
std::unique_ptr<TDisplay> OpenX11Display(const char* name = nullptr);

// Xlib's resource ids and atoms (XID, Window, Atom, Cursor) without Xlib's header.
using TX11Id = unsigned long;

// The X11 backend of TDisplay. Its members are spread over files by concern: the
// connection (X11Connection.cpp), windows (X11Windows.cpp), input and the cursor
// (X11Input.cpp), events (X11Events.cpp), the screen and presenting (X11Screen.cpp),
// the monitors (X11Monitors.cpp), the clipboard (X11Clipboard.cpp).
class TX11Display : public TDisplay {
public:
    // Takes over an open connection; closes it also when construction fails.
    TX11Display(_XDisplay* dpy, const char* name);
    ~TX11Display() override;
    TX11Display(const TX11Display&) = delete;
    TX11Display& operator=(const TX11Display&) = delete;

    TWindowId CreateWindow(const TWindowParams& params) override;
    void DestroyWindow(TWindowId window) override;
    void ShowWindow(TWindowId window, bool show) override;
    void SetWindowBounds(TWindowId window, const TWindowRect& rect) override;
    void SetCaption(TWindowId window, std::string_view caption) override;
    void SetIcon(TWindowId window, const TPixelView& icon) override;
    void SetTopMost(TWindowId window, bool topMost) override;
    void RaiseWindow(TWindowId window) override;
    void SetFocus(TWindowId window) override;
    std::optional<TWindowRect> GetWindowRect(TWindowId window) override;
    bool IsWindowVisible(TWindowId window) override;
    bool WatchWindow(TWindowId window) override;
    bool GrabInput(TWindowId window) override;
    void ReleaseInput() override;
    void SetCursor(TWindowId window, TCursorShape shape) override;
    TWindowPoint GetCursorPos() override;
    bool PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                     const TWindowRect& source) override;
    bool WaitEvent(TDisplayEvent& event, int timeoutMs) override;
    bool Pending() override;
    void Wake() override;
    bool ConnectionLost() const override;
    TWindowSize ScreenSize() override;
    TWindowRect PrimaryMonitorRect() override;
    std::vector<TWindowRect> MonitorRects() override;
    int ScreenBitsPerPixel() override;
    void Beep() override;
    void SetClipboardText(std::string_view text) override;
    std::optional<std::string> GetClipboardText() override;

protected:
    void SetCursorHidden(bool hidden) override;
    bool ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target) override;

private:
    // Holds the connection lock. A thread other than the event thread may make Xlib read
    // events into its queue while the event thread sleeps in poll(); it pokes the wake
    // pipe then so that those events are not left waiting.
    class TCall {
    public:
        explicit TCall(TX11Display& owner) : FOwner(owner), FGuard(owner.FLock) {}
        ~TCall();
        TCall(const TCall&) = delete;
        TCall& operator=(const TCall&) = delete;

    private:
        TX11Display& FOwner;
        std::lock_guard<std::recursive_mutex> FGuard;
    };

    struct TWindowInfo {
        bool OverrideRedirect = false;
        bool TopMost = false;
        bool Dialog = false;
    };

    bool Lost() const;
    void Poke();
    TX11Id Intern(const char* name);
    bool Translate(_XEvent& x, TDisplayEvent& event);
    void HandleSelectionRequest(const _XEvent& x);
    TX11Id ClipboardWindow();
    std::optional<std::string> ReadSelection(TX11Id target);
    bool WaitForSelectionNotify(_XEvent& result);
    TX11Id CursorFor(TCursorShape shape);
    void SendNetWmState(TX11Id window, bool add, TX11Id state);
    void SetFixedSize(TX11Id window, int width, int height);

    _XDisplay* FDpy;
    int FScreen;
    TX11Id FRoot;
    mutable std::recursive_mutex FLock;
    std::thread::id FEventThread;
    int FWakePipe[2] = {-1, -1};
    std::atomic<bool> FWakeRequested{false};
    bool FLostReported = false;
    std::unique_ptr<TX11Presenter> FPresenter;
    std::unique_ptr<TX11StayOnTop> FStayOnTop;
    std::map<TX11Id, TWindowInfo> FWindows;
    std::map<TCursorShape, TX11Id> FCursors;
    TDisplayClickTracker FClicks;
    bool FHasXFixes = false;
    bool FHasRandr = false;
    TX11Id FClipboardWindow = 0;
    std::string FClipboardText;
    bool FOwnsClipboard = false;

    TX11Id FWmProtocols, FWmDeleteWindow, FNetWmName, FUtf8String, FNetWmState, FNetWmStateAbove, FNetWmStateFullScreen, FNetWmIcon,
        FNetWmWindowType, FNetWmTypeNormal, FNetWmTypeDialog, FClipboard, FTargets, FText, FClipProperty;
};
