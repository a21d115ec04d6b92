#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "platform/Display.h"
#include "platform/DisplayClickTracker.h"

// An in-process virtual screen: windows in z-order, each holding the pixels presented
// onto it, a queue of events that tests fill with injected input, and screen reads that
// composite the visible windows. It runs the engine, the view and the widgets without
// an X server and lets tests inspect exactly what was drawn. Thread-safe throughout.
class TMemoryDisplay : public TDisplay {
public:
    TMemoryDisplay(int screenWidth, int screenHeight);

    // TDisplay
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
    int ScreenBitsPerPixel() override;
    void Beep() override;
    void SetClipboardText(std::string_view text) override;
    std::optional<std::string> GetClipboardText() override;

    // --- what another process or the user would do -----------------------------
    // A window of another program (a host's preview window), shown at once when visible.
    TWindowId CreateForeignWindow(const TWindowRect& rect, bool visible = true);
    // Shows or hides a window the way its owner would.
    void SetWindowVisible(TWindowId window, bool visible);
    // Queues an event as it stands.
    void InjectEvent(const TDisplayEvent& event);
    // Moves the pointer to a screen position: a deMouseMove for the grabbing window, or
    // for the topmost visible window under the pointer.
    void InjectMouseMove(int screenX, int screenY);
    // A button press or release at the pointer (with double-click detection).
    void InjectButton(TMouseButton button, bool down);
    // A key press or release for the grabbing or focused window.
    void InjectKey(std::uint16_t key, unsigned char ch, bool down, TShiftState shift = 0);
    // From now on the display behaves as if the server had gone away.
    void SimulateConnectionLoss();
    // The clock of injected events (milliseconds); it moves only when told to.
    void AdvanceTime(std::uint32_t ms);
    void SetPrimaryMonitor(const TWindowRect& rect);

    // --- inspection ------------------------------------------------------------
    // The pixel presented at client (x, y) as 0x00BBGGRR; 0 outside or without window.
    std::uint32_t WindowPixel(TWindowId window, int x, int y);
    // The composed screen pixel at (x, y) as 0x00BBGGRR.
    std::uint32_t ScreenPixel(int x, int y);
    int PresentCount(TWindowId window);
    std::string Caption(TWindowId window);
    bool IsTopMost(TWindowId window);
    TCursorShape WindowCursor(TWindowId window);
    TWindowStyle WindowStyle(TWindowId window);
    TWindowId GrabWindow();
    TWindowId FocusWindow();
    int BeepCount();
    // Windows from the bottom to the top of the z-order.
    std::vector<TWindowId> ZOrder();
    // Events waiting in the queue.
    std::size_t QueuedEvents();

protected:
    void SetCursorHidden(bool hidden) override;
    bool ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target) override;

private:
    struct TWindow {
        TWindowRect Rect;
        std::string Caption;
        TWindowStyle Style = wsNormal;
        bool TopMost = false;
        bool Mapped = false;
        bool Foreign = false;
        bool Watched = false;
        TCursorShape Cursor = crArrow;
        int Presents = 0;
        std::vector<std::uint32_t> Pixels; // top-down rows, 0x00BBGGRR
    };

    TWindow* Find(TWindowId window);
    void Queue(const TDisplayEvent& event);
    void QueueFor(TWindowId window, const TWindow& w, TDisplayEventKind kind);
    void PlaceInZOrder(TWindowId window);
    void SetMapped(TWindowId window, TWindow& w, bool mapped);
    std::uint32_t ComposePixel(int x, int y) const;
    TWindowId PointerTarget() const;
    TWindowId KeyTarget() const;

    mutable std::mutex FLock;
    std::condition_variable FSignal;
    int FScreenWidth;
    int FScreenHeight;
    TWindowRect FPrimary;
    std::map<TWindowId, TWindow> FWindows;
    std::vector<TWindowId> FZOrder;
    std::deque<TDisplayEvent> FQueue;
    TWindowId FNextId = 0x00400001;
    TWindowId FGrab = 0;
    TWindowId FFocus = 0;
    TWindowPoint FCursor;
    TWindowId FPointerWindow = 0;
    TShiftState FButtons = 0;
    int FBeeps = 0;
    bool FWake = false;
    bool FLost = false;
    bool FLostReported = false;
    std::uint32_t FTime = 0;
    std::string FClipboard;
    bool FHasClipboard = false;
    TDisplayClickTracker FClicks;
};
