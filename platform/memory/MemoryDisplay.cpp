#include "platform/memory/MemoryDisplay.h"

#include <algorithm>
#include <chrono>

namespace {

std::uint32_t ReadPixel(const std::uint8_t* p)
{
    // B, G, R in memory; 0x00BBGGRR as a value.
    return static_cast<std::uint32_t>(p[2]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[0]) << 16);
}

void WritePixel(std::uint8_t* p, std::uint32_t color, int bytesPerPixel)
{
    p[0] = static_cast<std::uint8_t>(color >> 16);
    p[1] = static_cast<std::uint8_t>(color >> 8);
    p[2] = static_cast<std::uint8_t>(color);
    if (bytesPerPixel == 4)
        p[3] = 0;
}

bool Inside(const TWindowRect& r, int x, int y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

TMemoryDisplay::TMemoryDisplay(int screenWidth, int screenHeight)
    : FScreenWidth(std::max(screenWidth, 1)), FScreenHeight(std::max(screenHeight, 1)),
      FPrimary{0, 0, FScreenWidth, FScreenHeight}
{
}

TMemoryDisplay::TWindow* TMemoryDisplay::Find(TWindowId window)
{
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

void TMemoryDisplay::Queue(const TDisplayEvent& event)
{
    FQueue.push_back(event);
    FSignal.notify_all();
}

void TMemoryDisplay::QueueFor(TWindowId window, const TWindow& w, TDisplayEventKind kind)
{
    // Windows of other programs report only what was asked for with WatchWindow.
    if (w.Foreign && !w.Watched)
        return;
    TDisplayEvent event;
    event.Kind = kind;
    event.Window = window;
    event.Time = FTime;
    if (kind == dePaint)
        event.Rect = TWindowRect{0, 0, w.Rect.Width(), w.Rect.Height()};
    else if (kind == deConfigure)
        event.Rect = w.Rect;
    Queue(event);
}

void TMemoryDisplay::PlaceInZOrder(TWindowId window)
{
    // Top of its layer: top-most windows stay above all the others.
    FZOrder.erase(std::remove(FZOrder.begin(), FZOrder.end(), window), FZOrder.end());
    const bool topMost = FWindows.at(window).TopMost;
    auto pos = FZOrder.end();
    if (!topMost)
        pos = std::find_if(FZOrder.begin(), FZOrder.end(), [this](TWindowId id) { return FWindows.at(id).TopMost; });
    FZOrder.insert(pos, window);
}

void TMemoryDisplay::SetMapped(TWindowId window, TWindow& w, bool mapped)
{
    if (w.Mapped == mapped)
        return;
    w.Mapped = mapped;
    if (mapped) {
        QueueFor(window, w, deMapped);
        QueueFor(window, w, dePaint);
    } else {
        QueueFor(window, w, deUnmapped);
        if (FGrab == window)
            FGrab = 0;
    }
}

TWindowId TMemoryDisplay::CreateWindow(const TWindowParams& params)
{
    std::lock_guard lock(FLock);
    if (FLost)
        throw EDisplayError("The connection to the display is lost");
    const TWindowId id = FNextId++;
    TWindow w;
    const int width = std::max(params.Width, 1);
    const int height = std::max(params.Height, 1);
    w.Rect = TWindowRect{params.Left, params.Top, params.Left + width, params.Top + height};
    w.Caption = params.Caption;
    w.Style = params.Style;
    w.TopMost = params.TopMost;
    w.Pixels.assign(static_cast<std::size_t>(width) * height, 0);
    FWindows.emplace(id, std::move(w));
    PlaceInZOrder(id);
    return id;
}

TWindowId TMemoryDisplay::CreateForeignWindow(const TWindowRect& rect, bool visible)
{
    std::lock_guard lock(FLock);
    const TWindowId id = FNextId++;
    TWindow w;
    w.Rect = TWindowRect{rect.Left, rect.Top, rect.Left + std::max(rect.Width(), 1), rect.Top + std::max(rect.Height(), 1)};
    w.Foreign = true;
    w.Mapped = visible;
    w.Pixels.assign(static_cast<std::size_t>(w.Rect.Width()) * w.Rect.Height(), 0);
    FWindows.emplace(id, std::move(w));
    PlaceInZOrder(id);
    return id;
}

void TMemoryDisplay::DestroyWindow(TWindowId window)
{
    std::lock_guard lock(FLock);
    TWindow* w = Find(window);
    if (!w)
        return;
    if (w->Mapped)
        QueueFor(window, *w, deUnmapped);
    QueueFor(window, *w, deDestroyed);
    FWindows.erase(window);
    FZOrder.erase(std::remove(FZOrder.begin(), FZOrder.end(), window), FZOrder.end());
    if (FGrab == window)
        FGrab = 0;
    if (FFocus == window)
        FFocus = 0;
    if (FPointerWindow == window)
        FPointerWindow = 0;
}

void TMemoryDisplay::ShowWindow(TWindowId window, bool show)
{
    std::lock_guard lock(FLock);
    if (TWindow* w = Find(window))
        SetMapped(window, *w, show);
}

void TMemoryDisplay::SetWindowVisible(TWindowId window, bool visible)
{
    ShowWindow(window, visible);
}

void TMemoryDisplay::SetWindowBounds(TWindowId window, const TWindowRect& rect)
{
    std::lock_guard lock(FLock);
    TWindow* w = Find(window);
    if (!w)
        return;
    const int width = std::max(rect.Width(), 1);
    const int height = std::max(rect.Height(), 1);
    const int oldWidth = w->Rect.Width();
    const int oldHeight = w->Rect.Height();
    w->Rect = TWindowRect{rect.Left, rect.Top, rect.Left + width, rect.Top + height};
    if (width != oldWidth || height != oldHeight) {
        // Keep what overlaps at the top-left, like a window whose contents are not redrawn yet.
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
        for (int y = 0; y < std::min(height, oldHeight); ++y)
            std::copy_n(w->Pixels.begin() + static_cast<std::ptrdiff_t>(y) * oldWidth, std::min(width, oldWidth),
                        pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
        w->Pixels = std::move(pixels);
    }
    QueueFor(window, *w, deConfigure);
    if (w->Mapped && (width != oldWidth || height != oldHeight))
        QueueFor(window, *w, dePaint);
}

void TMemoryDisplay::SetCaption(TWindowId window, std::string_view caption)
{
    std::lock_guard lock(FLock);
    if (TWindow* w = Find(window))
        w->Caption = caption;
}

void TMemoryDisplay::SetIcon(TWindowId, const TPixelView&)
{
}

void TMemoryDisplay::SetTopMost(TWindowId window, bool topMost)
{
    std::lock_guard lock(FLock);
    if (TWindow* w = Find(window)) {
        w->TopMost = topMost;
        PlaceInZOrder(window);
    }
}

void TMemoryDisplay::RaiseWindow(TWindowId window)
{
    std::lock_guard lock(FLock);
    if (Find(window))
        PlaceInZOrder(window);
}

void TMemoryDisplay::SetFocus(TWindowId window)
{
    std::lock_guard lock(FLock);
    TWindow* w = Find(window);
    if (!w || !w->Mapped || FFocus == window)
        return;
    if (TWindow* old = Find(FFocus))
        QueueFor(FFocus, *old, deFocusOut);
    FFocus = window;
    QueueFor(window, *w, deFocusIn);
}

std::optional<TWindowRect> TMemoryDisplay::GetWindowRect(TWindowId window)
{
    std::lock_guard lock(FLock);
    if (TWindow* w = FLost ? nullptr : Find(window))
        return w->Rect;
    return std::nullopt;
}

bool TMemoryDisplay::IsWindowVisible(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = FLost ? nullptr : Find(window);
    return w && w->Mapped;
}

bool TMemoryDisplay::WatchWindow(TWindowId window)
{
    std::lock_guard lock(FLock);
    TWindow* w = Find(window);
    if (!w)
        return false;
    w->Watched = true;
    return true;
}

bool TMemoryDisplay::GrabInput(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    // As on a real server, only a viewable window can take the grab.
    if (!w || !w->Mapped)
        return false;
    FGrab = window;
    return true;
}

void TMemoryDisplay::ReleaseInput()
{
    std::lock_guard lock(FLock);
    FGrab = 0;
}

void TMemoryDisplay::SetCursor(TWindowId window, TCursorShape shape)
{
    std::lock_guard lock(FLock);
    if (TWindow* w = Find(window))
        w->Cursor = shape;
}

void TMemoryDisplay::SetCursorHidden(bool)
{
    // Nothing to draw: the count kept by the display is what tests look at.
}

TWindowPoint TMemoryDisplay::GetCursorPos()
{
    std::lock_guard lock(FLock);
    return FCursor;
}

bool TMemoryDisplay::PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                                 const TWindowRect& source)
{
    std::lock_guard lock(FLock);
    TWindow* w = FLost ? nullptr : Find(window);
    if (!w)
        return false;
    if (!pixels.Bits || (pixels.BytesPerPixel != 3 && pixels.BytesPerPixel != 4))
        return false;
    // Cut the source to the pixels and the destination to the window.
    int srcLeft = std::max(source.Left, 0);
    int srcTop = std::max(source.Top, 0);
    const int srcRight = std::min(source.Right, pixels.Width);
    const int srcBottom = std::min(source.Bottom, pixels.Height);
    int dx = destX + (srcLeft - source.Left);
    int dy = destY + (srcTop - source.Top);
    if (dx < 0) {
        srcLeft -= dx;
        dx = 0;
    }
    if (dy < 0) {
        srcTop -= dy;
        dy = 0;
    }
    const int width = std::min(srcRight - srcLeft, w->Rect.Width() - dx);
    const int height = std::min(srcBottom - srcTop, w->Rect.Height() - dy);
    ++w->Presents;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels.Row(srcTop + y) + static_cast<std::size_t>(srcLeft) * pixels.BytesPerPixel;
        std::uint32_t* dst = w->Pixels.data() + static_cast<std::size_t>(dy + y) * w->Rect.Width() + dx;
        for (int x = 0; x < width; ++x, src += pixels.BytesPerPixel)
            dst[x] = ReadPixel(src);
    }
    return true;
}

bool TMemoryDisplay::WaitEvent(TDisplayEvent& event, int timeoutMs)
{
    std::unique_lock lock(FLock);
    auto ready = [this] { return !FQueue.empty() || FWake || (FLost && !FLostReported); };
    if (timeoutMs < 0)
        FSignal.wait(lock, ready);
    else if (!FSignal.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return false;
    if (FLost && !FLostReported) {
        FLostReported = true;
        event = TDisplayEvent{};
        event.Kind = deConnectionLost;
        return true;
    }
    if (!FQueue.empty()) {
        event = FQueue.front();
        FQueue.pop_front();
        return true;
    }
    FWake = false;
    event = TDisplayEvent{};
    event.Kind = deWake;
    return true;
}

bool TMemoryDisplay::Pending()
{
    std::lock_guard lock(FLock);
    return !FQueue.empty() || FWake || (FLost && !FLostReported);
}

void TMemoryDisplay::Wake()
{
    std::lock_guard lock(FLock);
    FWake = true;
    FSignal.notify_all();
}

bool TMemoryDisplay::ConnectionLost() const
{
    std::lock_guard lock(FLock);
    return FLost;
}

void TMemoryDisplay::SimulateConnectionLoss()
{
    std::lock_guard lock(FLock);
    FLost = true;
    FQueue.clear();
    FSignal.notify_all();
}

TWindowSize TMemoryDisplay::ScreenSize()
{
    std::lock_guard lock(FLock);
    return TWindowSize{FScreenWidth, FScreenHeight};
}

TWindowRect TMemoryDisplay::PrimaryMonitorRect()
{
    std::lock_guard lock(FLock);
    return FPrimary;
}

void TMemoryDisplay::SetPrimaryMonitor(const TWindowRect& rect)
{
    std::lock_guard lock(FLock);
    FPrimary = rect;
}

int TMemoryDisplay::ScreenBitsPerPixel()
{
    return 24;
}

std::uint32_t TMemoryDisplay::ComposePixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FScreenWidth || y >= FScreenHeight)
        return 0;
    for (auto it = FZOrder.rbegin(); it != FZOrder.rend(); ++it) {
        const TWindow& w = FWindows.at(*it);
        if (w.Mapped && Inside(w.Rect, x, y))
            return w.Pixels[static_cast<std::size_t>(y - w.Rect.Top) * w.Rect.Width() + (x - w.Rect.Left)];
    }
    return 0;
}

bool TMemoryDisplay::ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target)
{
    std::lock_guard lock(FLock);
    for (int y = 0; y < target.Height; ++y) {
        std::uint8_t* dst = target.Row(y);
        for (int x = 0; x < target.Width; ++x, dst += target.BytesPerPixel)
            WritePixel(dst, ComposePixel(area.Left + x, area.Top + y), target.BytesPerPixel);
    }
    return true;
}

void TMemoryDisplay::Beep()
{
    std::lock_guard lock(FLock);
    ++FBeeps;
}

void TMemoryDisplay::SetClipboardText(std::string_view text)
{
    std::lock_guard lock(FLock);
    FClipboard = text;
    FHasClipboard = true;
}

std::optional<std::string> TMemoryDisplay::GetClipboardText()
{
    std::lock_guard lock(FLock);
    if (!FHasClipboard)
        return std::nullopt;
    return FClipboard;
}

void TMemoryDisplay::InjectEvent(const TDisplayEvent& event)
{
    std::lock_guard lock(FLock);
    Queue(event);
}

TWindowId TMemoryDisplay::PointerTarget() const
{
    if (FGrab)
        return FGrab;
    for (auto it = FZOrder.rbegin(); it != FZOrder.rend(); ++it) {
        const TWindow& w = FWindows.at(*it);
        if (w.Mapped && Inside(w.Rect, FCursor.X, FCursor.Y))
            return *it;
    }
    return 0;
}

TWindowId TMemoryDisplay::KeyTarget() const
{
    return FGrab ? FGrab : FFocus;
}

void TMemoryDisplay::InjectMouseMove(int screenX, int screenY)
{
    std::lock_guard lock(FLock);
    FCursor = TWindowPoint{screenX, screenY};
    const TWindowId target = PointerTarget();
    if (target != FPointerWindow) {
        if (const TWindow* old = Find(FPointerWindow))
            QueueFor(FPointerWindow, *old, deMouseLeave);
        FPointerWindow = target;
        if (const TWindow* now = Find(target))
            QueueFor(target, *now, deMouseEnter);
    }
    const TWindow* w = Find(target);
    if (!w || (w->Foreign && !w->Watched))
        return;
    TDisplayEvent event;
    event.Kind = deMouseMove;
    event.Window = target;
    event.X = screenX - w->Rect.Left;
    event.Y = screenY - w->Rect.Top;
    event.ScreenX = screenX;
    event.ScreenY = screenY;
    event.Shift = FButtons;
    event.Time = FTime;
    Queue(event);
}

void TMemoryDisplay::InjectButton(TMouseButton button, bool down)
{
    std::lock_guard lock(FLock);
    const TWindowId target = PointerTarget();
    const TWindow* w = Find(target);
    const TShiftState bit = button == mbLeft ? ssLeft : button == mbRight ? ssRight : button == mbMiddle ? ssMiddle : 0;
    TDisplayEvent event;
    event.Kind = down ? deButtonDown : deButtonUp;
    event.Window = target;
    event.Button = button;
    event.ScreenX = FCursor.X;
    event.ScreenY = FCursor.Y;
    event.Shift = FButtons;
    event.Time = FTime;
    if (w) {
        event.X = FCursor.X - w->Rect.Left;
        event.Y = FCursor.Y - w->Rect.Top;
    }
    if (down) {
        event.DoubleClick = FClicks.Press(target, button, FCursor.X, FCursor.Y, FTime);
        FButtons |= bit;
    } else {
        FButtons &= ~bit;
    }
    if (w && !(w->Foreign && !w->Watched))
        Queue(event);
}

void TMemoryDisplay::InjectKey(std::uint16_t key, unsigned char ch, bool down, TShiftState shift)
{
    std::lock_guard lock(FLock);
    const TWindowId target = KeyTarget();
    const TWindow* w = Find(target);
    if (!w || (w->Foreign && !w->Watched))
        return;
    TDisplayEvent event;
    event.Kind = down ? deKeyDown : deKeyUp;
    event.Window = target;
    event.Key = key;
    event.Char = down ? ch : 0;
    event.CodePoint = event.Char;
    event.Shift = shift | FButtons;
    event.Time = FTime;
    Queue(event);
}

void TMemoryDisplay::AdvanceTime(std::uint32_t ms)
{
    std::lock_guard lock(FLock);
    FTime += ms;
}

std::uint32_t TMemoryDisplay::WindowPixel(TWindowId window, int x, int y)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    if (!w || x < 0 || y < 0 || x >= w->Rect.Width() || y >= w->Rect.Height())
        return 0;
    return w->Pixels[static_cast<std::size_t>(y) * w->Rect.Width() + x];
}

std::uint32_t TMemoryDisplay::ScreenPixel(int x, int y)
{
    std::lock_guard lock(FLock);
    return ComposePixel(x, y);
}

int TMemoryDisplay::PresentCount(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    return w ? w->Presents : 0;
}

std::string TMemoryDisplay::Caption(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    return w ? w->Caption : std::string();
}

bool TMemoryDisplay::IsTopMost(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    return w && w->TopMost;
}

TCursorShape TMemoryDisplay::WindowCursor(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    return w ? w->Cursor : crArrow;
}

TWindowStyle TMemoryDisplay::WindowStyle(TWindowId window)
{
    std::lock_guard lock(FLock);
    const TWindow* w = Find(window);
    return w ? w->Style : wsNormal;
}

TWindowId TMemoryDisplay::GrabWindow()
{
    std::lock_guard lock(FLock);
    return FGrab;
}

TWindowId TMemoryDisplay::FocusWindow()
{
    std::lock_guard lock(FLock);
    return FFocus;
}

int TMemoryDisplay::BeepCount()
{
    std::lock_guard lock(FLock);
    return FBeeps;
}

std::vector<TWindowId> TMemoryDisplay::ZOrder()
{
    std::lock_guard lock(FLock);
    return FZOrder;
}

std::size_t TMemoryDisplay::QueuedEvents()
{
    std::lock_guard lock(FLock);
    return FQueue.size();
}
