#include "platform/win32/Win32Display.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>
#undef CreateWindow

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/DisplayClickTracker.h"

namespace {

constexpr wchar_t ClassName[] = L"VeltraneWindow";
// A host window that goes away sends this process nothing when it belongs to another
// thread that dies first, so watched windows are also looked at this often.
constexpr DWORD WatchPollMs = 100;

// HWNDs carry 32 significant bits on 64-bit Windows too; the rest is sign extension.
HWND ToHwnd(TWindowId id)
{
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(id)));
}

TWindowId ToId(HWND hwnd)
{
    return static_cast<TWindowId>(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::wstring WideFromCp1252(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (unsigned char ch : text) {
        out += static_cast<wchar_t>(Cp1252ToUnicode(ch));
    }
    return out;
}

std::string Cp1252FromWide(const wchar_t* text)
{
    std::string out;
    for (; *text; ++text) {
        out += static_cast<char>(UnicodeToCp1252(static_cast<std::uint16_t>(*text)).value_or('?'));
    }
    return out;
}

// A shared cursor of the system (the names are resource numbers in either character set).
template <typename TName>
HCURSOR SystemCursor(TName name)
{
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(name));
}

TShiftState KeyboardShift()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState ShiftFromMouseKeys(WPARAM keys)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    return shift;
}

TShiftState ButtonBit(TMouseButton button)
{
    switch (button) {
    case mbLeft: return ssLeft;
    case mbRight: return ssRight;
    case mbMiddle: return ssMiddle;
    default: return 0;
    }
}

// The header of a top-down 32-bit device-independent bitmap.
BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A device context of the whole screen, released on every path.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC()
    {
        if (FDC)
            ReleaseDC(nullptr, FDC);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
};

class TWin32Display : public TDisplay {
public:
    TWin32Display();
    ~TWin32Display() override;
    TWin32Display(const TWin32Display&) = delete;
    TWin32Display& operator=(const TWin32Display&) = delete;

    TWindowId CreateWindow(const TWindowParams& params) override;
    void DestroyWindow(TWindowId window) override;
    void ShowWindow(TWindowId window, bool show) override;
    void SetWindowBounds(TWindowId window, const TWindowRect& rect) override;
    void SetCaption(TWindowId window, std::string_view caption) override;
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
    bool ConnectionLost() const override { return false; }
    TWindowSize ScreenSize() override;
    TWindowRect PrimaryMonitorRect() override;
    int ScreenBitsPerPixel() override;
    void Beep() override;
    void SetClipboardText(std::string_view text) override;
    std::optional<std::string> GetClipboardText() override;

protected:
    void SetCursorHidden(bool hidden) override;
    bool ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target) override;

private:
    struct TWindowInfo {
        TWindowId EventId = 0;    // the id its events carry: the host's for a preview child
        bool Child = false;       // drawn into a host's window
        bool Tracking = false;    // a leave notice is asked for
        TCursorShape Cursor = crArrow;
    };
    struct TCreateContext {
        TWin32Display* Display;
        TWindowInfo Info;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Queue(TDisplayEvent event) { FQueue.push_back(event); }
    void QueueKey(HWND hwnd, const TWindowInfo& info, UINT message, WPARAM wParam);
    void QueueMouse(HWND hwnd, TWindowInfo& info, TDisplayEventKind kind, int x, int y, TShiftState shift,
                    TMouseButton button = mbLeft);
    // Dispatches the messages waiting for this thread, until one gives an event.
    void Pump();
    // Watched host windows: ends those gone, keeps the children sized to their hosts.
    void CheckHosts();
    // Our own window, or nothing for a foreign id.
    HWND Own(TWindowId window);
    // Where pixels for window go: our child in a watched host, else the window itself.
    HWND Target(TWindowId window);
    HWND ClipboardOwner();

    HINSTANCE FInstance;
    // Wine shows nothing drawn into a child of another process's window, but does show
    // what is drawn on that window itself; the child still brings paints and the end.
    bool FPresentIntoHost;
    HANDLE FWakeEvent;
    std::atomic<bool> FWakeRequested{false};
    mutable std::mutex FLock; // FWindows and FHosts; PresentBits reads them from any thread
    std::map<HWND, TWindowInfo> FWindows;
    std::map<TWindowId, HWND> FHosts;
    std::deque<TDisplayEvent> FQueue;
    TDisplayClickTracker FClicks;
    HWND FGrab = nullptr;
    HWND FClipboardWindow = nullptr;
    bool FCursorHidden = false;
};

bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

TWin32Display::TWin32Display()
    : FInstance(GetModuleHandleW(nullptr)), FPresentIntoHost(RunningUnderWine()), FWakeEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    if (!FWakeEvent)
        throw EDisplayError("Cannot create the display's wake-up event");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = FInstance;
    windowClass.hIcon = LoadIconW(FInstance, MAKEINTRESOURCEW(1));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    // Several displays in one process share the class.
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        CloseHandle(FWakeEvent);
        throw EDisplayError("Cannot register the window class");
    }
}

TWin32Display::~TWin32Display()
{
    if (FGrab && GetCapture() == FGrab)
        ReleaseCapture();
    if (FCursorHidden)
        ::ShowCursor(TRUE);
    std::vector<HWND> windows;
    {
        std::lock_guard guard(FLock);
        for (auto& [hwnd, info] : FWindows)
            windows.push_back(hwnd);
        FWindows.clear();
        FHosts.clear();
    }
    if (FClipboardWindow)
        windows.push_back(FClipboardWindow);
    for (HWND hwnd : windows) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); // no more events for a display that is gone
        ::DestroyWindow(hwnd);
    }
    CloseHandle(FWakeEvent);
}

LRESULT CALLBACK TWin32Display::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (const auto* context = static_cast<const TCreateContext*>(create->lpCreateParams)) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context->Display));
            TWindowInfo info = context->Info;
            if (!info.EventId)
                info.EventId = ToId(hwnd);
            std::lock_guard guard(context->Display->FLock);
            context->Display->FWindows[hwnd] = info;
        }
    }
    auto* self = reinterpret_cast<TWin32Display*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && self->Handle(hwnd, message, wParam, lParam, result))
        return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void TWin32Display::QueueKey(HWND hwnd, const TWindowInfo& info, UINT message, WPARAM wParam)
{
    TDisplayEvent event;
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    event.Kind = down ? deKeyDown : deKeyUp;
    event.Window = info.EventId;
    event.Key = static_cast<std::uint16_t>(wParam);
    event.Shift = KeyboardShift();
    event.Time = static_cast<std::uint32_t>(GetMessageTime());
    if (down) {
        // The pump translated the key before dispatching it: its character waits in the queue.
        MSG typed;
        if (PeekMessageW(&typed, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE) ||
            PeekMessageW(&typed, hwnd, WM_SYSCHAR, WM_SYSCHAR, PM_REMOVE)) {
            const auto cp = static_cast<std::uint32_t>(typed.wParam & 0xFFFF);
            // NUL, Delete and the C1 controls type nothing.
            const bool types = cp != 0 && cp != 0x7F && (cp < 0x80 || cp >= 0xA0);
            event.Char = types ? UnicodeToCp1252(cp).value_or(0) : 0;
            event.CodePoint = event.Char ? cp : 0;
        }
    }
    Queue(event);
}

void TWin32Display::QueueMouse(HWND hwnd, TWindowInfo& info, TDisplayEventKind kind, int x, int y,
                               TShiftState shift, TMouseButton button)
{
    TDisplayEvent event;
    event.Kind = kind;
    event.Window = info.EventId;
    event.X = x;
    event.Y = y;
    POINT screen{x, y};
    ClientToScreen(hwnd, &screen);
    event.ScreenX = screen.x;
    event.ScreenY = screen.y;
    event.Shift = shift;
    event.Button = button;
    event.Time = static_cast<std::uint32_t>(GetMessageTime());
    if (kind == deButtonDown && button <= mbMiddle)
        event.DoubleClick = FClicks.Press(event.Window, button, x, y, event.Time);
    Queue(event);
}

bool TWin32Display::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    TWindowInfo* info = nullptr;
    {
        std::lock_guard guard(FLock);
        auto it = FWindows.find(hwnd);
        if (it == FWindows.end())
            return false;
        info = &it->second; // only this thread erases entries
    }
    TDisplayEvent event;
    event.Window = info->EventId;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(hwnd, &paint)) {
            event.Kind = dePaint;
            event.Rect = TWindowRect{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom};
            EndPaint(hwnd, &paint);
            if (!event.Rect.IsEmpty())
                Queue(event);
        }
        return true;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
        QueueKey(hwnd, *info, message, wParam);
        return true;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Alt+F4 closes as the system would; other keys never start the window menu.
        if (message == WM_SYSKEYDOWN && wParam == VK_F4)
            return false;
        QueueKey(hwnd, *info, message, wParam);
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return true; // taken with their key
    case WM_MOUSEMOVE: {
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        if (!info->Tracking) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            info->Tracking = TrackMouseEvent(&track) != FALSE;
            QueueMouse(hwnd, *info, deMouseEnter, x, y, ShiftFromMouseKeys(wParam));
        }
        QueueMouse(hwnd, *info, deMouseMove, x, y, ShiftFromMouseKeys(wParam));
        return true;
    }
    case WM_MOUSELEAVE: {
        info->Tracking = false;
        const DWORD pos = GetMessagePos();
        POINT p{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
        ScreenToClient(hwnd, &p);
        QueueMouse(hwnd, *info, deMouseLeave, p.x, p.y, 0);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
        const TMouseButton button = (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)   ? mbLeft
                                    : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? mbRight
                                                                                             : mbMiddle;
        // The state before the event, as the other backends report it.
        TShiftState shift = ShiftFromMouseKeys(wParam);
        shift = down ? shift & ~ButtonBit(button) : shift | ButtonBit(button);
        // Like the pointer grab of a press elsewhere: the release comes back here.
        if (down && !FGrab)
            SetCapture(hwnd);
        else if (!down && !FGrab && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
            ReleaseCapture();
        QueueMouse(hwnd, *info, down ? deButtonDown : deButtonUp, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), shift,
                   button);
        return true;
    }
    case WM_MOUSEWHEEL: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd, &p);
        const TMouseButton button = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? mbWheelUp : mbWheelDown;
        const TShiftState shift = ShiftFromMouseKeys(GET_KEYSTATE_WPARAM(wParam));
        QueueMouse(hwnd, *info, deButtonDown, p.x, p.y, shift, button);
        QueueMouse(hwnd, *info, deButtonUp, p.x, p.y, shift, button);
        return true;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT)
            return false;
        switch (info->Cursor) {
        case crNone: ::SetCursor(nullptr); break;
        case crHandPoint: ::SetCursor(SystemCursor(IDC_HAND)); break;
        case crIBeam: ::SetCursor(SystemCursor(IDC_IBEAM)); break;
        default: ::SetCursor(SystemCursor(IDC_ARROW)); break;
        }
        result = TRUE;
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        event.Kind = message == WM_SETFOCUS ? deFocusIn : deFocusOut;
        Queue(event);
        return false;
    case WM_CLOSE:
        event.Kind = deClose;
        Queue(event);
        return true;
    case WM_WINDOWPOSCHANGED: {
        // A preview child's own moves mean nothing to the host's watcher.
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (info->Child)
            return false;
        if (pos->flags & SWP_SHOWWINDOW) {
            event.Kind = deMapped;
            Queue(event);
        }
        if (pos->flags & SWP_HIDEWINDOW) {
            event.Kind = deUnmapped;
            Queue(event);
        }
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            if (auto rect = GetWindowRect(ToId(hwnd))) {
                event.Kind = deConfigure;
                event.Rect = *rect;
                Queue(event);
            }
        }
        return false;
    }
    case WM_DESTROY: {
        event.Kind = deDestroyed;
        Queue(event);
        if (FGrab == hwnd)
            FGrab = nullptr;
        std::lock_guard guard(FLock);
        if (info->Child)
            FHosts.erase(info->EventId);
        FWindows.erase(hwnd);
        return false;
    }
    default:
        return false;
    }
}

HWND TWin32Display::Own(TWindowId window)
{
    if (!window)
        return nullptr;
    std::lock_guard guard(FLock);
    auto it = FWindows.find(ToHwnd(window));
    return it != FWindows.end() && !it->second.Child ? it->first : nullptr;
}

HWND TWin32Display::Target(TWindowId window)
{
    std::lock_guard guard(FLock);
    auto it = FHosts.find(window);
    return it != FHosts.end() && !FPresentIntoHost ? it->second : ToHwnd(window);
}

TWindowId TWin32Display::CreateWindow(const TWindowParams& params)
{
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = params.TopMost ? WS_EX_TOPMOST : 0;
    switch (params.Style) {
    case wsNormal: style |= WS_OVERLAPPEDWINDOW; break;
    case wsDialog: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case wsFullScreen: style |= WS_POPUP; break;
    }
    RECT outer{params.Left, params.Top, params.Left + std::max(params.Width, 1), params.Top + std::max(params.Height, 1)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    TCreateContext context{this, TWindowInfo{}};
    const std::wstring caption = WideFromCp1252(params.Caption);
    HWND hwnd = CreateWindowExW(exStyle, ClassName, caption.c_str(), style, outer.left, outer.top,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, FInstance, &context);
    if (!hwnd)
        throw EDisplayError("Cannot create a window");
    return ToId(hwnd);
}

void TWin32Display::DestroyWindow(TWindowId window)
{
    if (HWND hwnd = Own(window)) {
        ::DestroyWindow(hwnd);
        return;
    }
    // A watched host: only our child inside it goes; another program's window is not ours to end.
    HWND child = nullptr;
    {
        std::lock_guard guard(FLock);
        auto it = FHosts.find(window);
        if (it != FHosts.end())
            child = it->second;
    }
    if (child)
        ::DestroyWindow(child);
}

void TWin32Display::ShowWindow(TWindowId window, bool show)
{
    if (HWND hwnd = Own(window))
        ::ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
}

void TWin32Display::SetWindowBounds(TWindowId window, const TWindowRect& rect)
{
    HWND hwnd = Own(window);
    if (!hwnd)
        return;
    RECT outer{rect.Left, rect.Top, rect.Left + std::max(rect.Width(), 1), rect.Top + std::max(rect.Height(), 1)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Display::SetCaption(TWindowId window, std::string_view caption)
{
    if (HWND hwnd = Own(window))
        SetWindowTextW(hwnd, WideFromCp1252(caption).c_str());
}

void TWin32Display::SetTopMost(TWindowId window, bool topMost)
{
    if (HWND hwnd = Own(window))
        SetWindowPos(hwnd, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWin32Display::RaiseWindow(TWindowId window)
{
    if (HWND hwnd = Own(window))
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWin32Display::SetFocus(TWindowId window)
{
    HWND hwnd = Own(window);
    if (!hwnd || !::IsWindowVisible(hwnd))
        return;
    SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
}

std::optional<TWindowRect> TWin32Display::GetWindowRect(TWindowId window)
{
    HWND hwnd = ToHwnd(window);
    RECT client;
    if (!window || !IsWindow(hwnd) || !GetClientRect(hwnd, &client))
        return std::nullopt;
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return TWindowRect{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

bool TWin32Display::IsWindowVisible(TWindowId window)
{
    return window && IsWindow(ToHwnd(window)) && ::IsWindowVisible(ToHwnd(window));
}

bool TWin32Display::WatchWindow(TWindowId window)
{
    HWND host = ToHwnd(window);
    if (!window || !IsWindow(host))
        return false;
    {
        std::lock_guard guard(FLock);
        if (FHosts.count(window) || FWindows.count(host))
            return true;
    }
    // Our own child fills the host's client area: its paints and its end come to this
    // thread, and the host's owner keeps its window.
    RECT client{};
    GetClientRect(host, &client);
    TCreateContext context{this, TWindowInfo{}};
    context.Info.EventId = window;
    context.Info.Child = true;
    HWND child = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS, 0, 0,
                                 client.right, client.bottom, host, nullptr, FInstance, &context);
    if (child) {
        std::lock_guard guard(FLock);
        FHosts[window] = child;
    }
    // Without a child, the host's own device context still takes the pixels.
    return true;
}

void TWin32Display::CheckHosts()
{
    std::vector<std::pair<TWindowId, HWND>> hosts;
    {
        std::lock_guard guard(FLock);
        hosts.assign(FHosts.begin(), FHosts.end());
    }
    for (auto [window, child] : hosts) {
        HWND host = ToHwnd(window);
        if (!IsWindow(host) || !IsWindow(child)) {
            {
                std::lock_guard guard(FLock);
                FHosts.erase(window);
                FWindows.erase(child);
            }
            TDisplayEvent event;
            event.Kind = deDestroyed;
            event.Window = window;
            Queue(event);
            continue;
        }
        RECT client{}, inner{};
        GetClientRect(host, &client);
        GetClientRect(child, &inner);
        if (client.right != inner.right || client.bottom != inner.bottom)
            SetWindowPos(child, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool TWin32Display::GrabInput(TWindowId window)
{
    // Windows has no grab: the top-most window in front with the focus and the capture
    // gets every key and every pointer movement.
    HWND hwnd = Own(window);
    if (!hwnd)
        return false;
    SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
    SetCapture(hwnd);
    FGrab = hwnd;
    return true;
}

void TWin32Display::ReleaseInput()
{
    if (FGrab && GetCapture() == FGrab)
        ReleaseCapture();
    FGrab = nullptr;
}

void TWin32Display::SetCursor(TWindowId window, TCursorShape shape)
{
    HWND hwnd = Own(window);
    if (!hwnd)
        return;
    {
        std::lock_guard guard(FLock);
        auto it = FWindows.find(hwnd);
        if (it == FWindows.end())
            return;
        it->second.Cursor = shape;
    }
    // Applies at once when the pointer is over the window.
    POINT p;
    if (::GetCursorPos(&p) && WindowFromPoint(p) == hwnd)
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TWin32Display::SetCursorHidden(bool hidden)
{
    // One step of the system's own count each way.
    FCursorHidden = hidden;
    ::ShowCursor(hidden ? FALSE : TRUE);
}

TWindowPoint TWin32Display::GetCursorPos()
{
    POINT p{0, 0};
    ::GetCursorPos(&p);
    return TWindowPoint{p.x, p.y};
}

bool TWin32Display::PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                                const TWindowRect& source)
{
    if (!window || !pixels.Bits || (pixels.BytesPerPixel != 3 && pixels.BytesPerPixel != 4))
        return false;
    HWND target = Target(window);
    if (!IsWindow(target))
        return false;
    const int left = std::max(source.Left, 0);
    const int top = std::max(source.Top, 0);
    const int right = std::min(source.Right, pixels.Width);
    const int bottom = std::min(source.Bottom, pixels.Height);
    if (right <= left || bottom <= top)
        return true;
    const int width = right - left;
    const int height = bottom - top;
    // One top-down 32-bit copy of the part shown: any layout, any stride.
    thread_local std::vector<std::uint32_t> rows;
    rows.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels.Row(top + y) + static_cast<std::size_t>(left) * pixels.BytesPerPixel;
        std::uint32_t* dst = rows.data() + static_cast<std::size_t>(y) * width;
        if (pixels.BytesPerPixel == 4) {
            std::memcpy(dst, src, static_cast<std::size_t>(width) * 4);
        } else {
            for (int x = 0; x < width; ++x, src += 3)
                dst[x] = static_cast<std::uint32_t>(src[0]) | (static_cast<std::uint32_t>(src[1]) << 8) |
                         (static_cast<std::uint32_t>(src[2]) << 16);
        }
    }
    const BITMAPINFO info = TopDown32(width, height);
    HDC dc = GetDC(target);
    if (!dc)
        return false;
    const int lines = SetDIBitsToDevice(dc, destX + (left - source.Left), destY + (top - source.Top),
                                        static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                                        static_cast<UINT>(height), rows.data(), &info, DIB_RGB_COLORS);
    GdiFlush();
    ReleaseDC(target, dc);
    return lines > 0;
}

void TWin32Display::Pump()
{
    MSG message;
    while (FQueue.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue; // this program ends its loops itself
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool TWin32Display::WaitEvent(TDisplayEvent& event, int timeoutMs)
{
    using TClock = std::chrono::steady_clock;
    const auto deadline = TClock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        Pump();
        if (FQueue.empty())
            CheckHosts();
        if (!FQueue.empty()) {
            event = FQueue.front();
            FQueue.pop_front();
            return true;
        }
        if (FWakeRequested.exchange(false)) {
            event = TDisplayEvent{};
            event.Kind = deWake;
            return true;
        }
        DWORD wait = INFINITE;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
            if (left <= 0)
                return false;
            wait = static_cast<DWORD>(left);
        }
        bool watching = false;
        {
            std::lock_guard guard(FLock);
            watching = !FHosts.empty();
        }
        if (watching)
            wait = std::min(wait, WatchPollMs);
        MsgWaitForMultipleObjectsEx(1, &FWakeEvent, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool TWin32Display::Pending()
{
    Pump();
    return !FQueue.empty() || FWakeRequested;
}

void TWin32Display::Wake()
{
    FWakeRequested = true;
    SetEvent(FWakeEvent);
}

TWindowSize TWin32Display::ScreenSize()
{
    return TWindowSize{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

TWindowRect TWin32Display::PrimaryMonitorRect()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return TWindowRect{monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                           monitor.rcMonitor.bottom};
    return TWindowRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int TWin32Display::ScreenBitsPerPixel()
{
    TScreenDC screen;
    if (!screen.Get())
        return 24;
    return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

bool TWin32Display::ReadScreenPixels(const TWindowRect& area, const TPixelBuffer& target)
{
    TScreenDC screen;
    HDC memory = screen.Get() ? CreateCompatibleDC(screen.Get()) : nullptr;
    if (!memory)
        return false;
    const int width = area.Width(), height = area.Height();
    const BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen.Get(), area.Left, area.Top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
        if (ok) {
            const auto* src = static_cast<const std::uint8_t*>(bits);
            for (int y = 0; y < height; ++y) {
                const std::uint8_t* row = src + static_cast<std::size_t>(y) * width * 4;
                std::uint8_t* dst = target.Row(y);
                for (int x = 0; x < width; ++x, row += 4, dst += target.BytesPerPixel) {
                    dst[0] = row[0];
                    dst[1] = row[1];
                    dst[2] = row[2];
                    if (target.BytesPerPixel == 4)
                        dst[3] = 0;
                }
            }
        }
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    return ok;
}

void TWin32Display::Beep()
{
    MessageBeep(MB_OK);
}

HWND TWin32Display::ClipboardOwner()
{
    if (!FClipboardWindow)
        FClipboardWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, FInstance, nullptr);
    return FClipboardWindow;
}

void TWin32Display::SetClipboardText(std::string_view text)
{
    if (!OpenClipboard(ClipboardOwner()))
        return;
    EmptyClipboard();
    const std::wstring wide = WideFromCp1252(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* data = GlobalLock(memory)) {
            std::memcpy(data, wide.c_str(), bytes);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory))
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

std::optional<std::string> TWin32Display::GetClipboardText()
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(ClipboardOwner()))
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
            // Never past the block, even if its end mark is missing.
            const std::size_t limit = GlobalSize(memory) / sizeof(wchar_t);
            std::wstring bounded(data, wcsnlen(data, limit));
            text = Cp1252FromWide(bounded.c_str());
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

std::unique_ptr<TDisplay> OpenWin32Display()
{
    return std::make_unique<TWin32Display>();
}
