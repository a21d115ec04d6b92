#include "platform/x11/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/DisplayClickTracker.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11KeyMap.h"
#include "platform/x11/X11Presenter.h"

namespace {

constexpr int ClipboardTimeoutMs = 1000;

std::string Utf8FromCp1252(std::string_view text)
{
    std::string out;
    for (unsigned char ch : text) {
        std::uint32_t cp = CodePointFromCp1252(ch);
        if (cp == 0)
            cp = '?';
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string Cp1252FromUtf8(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = lead;
        int extra = 0;
        if (lead >= 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else if (lead >= 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if (lead >= 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if (lead >= 0x80) {
            cp = 0xFFFD; // a stray continuation byte
        }
        ++i;
        for (; extra > 0 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80; --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (extra > 0)
            cp = 0xFFFD;
        const unsigned char ch = Cp1252FromCodePoint(cp);
        out += ch ? static_cast<char>(ch) : '?';
    }
    return out;
}

std::string Latin1FromCp1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80 && static_cast<unsigned char>(c) < 0xA0)
            c = '?';
    return out;
}

TShiftState ShiftFromState(unsigned state)
{
    TShiftState shift = 0;
    if (state & ShiftMask)
        shift |= ssShift;
    if (state & ControlMask)
        shift |= ssCtrl;
    if (state & Mod1Mask)
        shift |= ssAlt;
    if (state & Button1Mask)
        shift |= ssLeft;
    if (state & Button2Mask)
        shift |= ssMiddle;
    if (state & Button3Mask)
        shift |= ssRight;
    return shift;
}

TMouseButton ButtonFromX(unsigned button)
{
    switch (button) {
    case Button1: return mbLeft;
    case Button2: return mbMiddle;
    case Button3: return mbRight;
    case Button4: return mbWheelUp;
    case Button5: return mbWheelDown;
    default: return mbOther;
    }
}

class TX11Display : public TDisplay {
public:
    TX11Display(Display* dpy, const char* name);
    ~TX11Display() override;

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
    TWindowSize GetClientSize(TWindowId window) override;
    bool WindowExists(TWindowId window) override;
    bool IsWindowVisible(TWindowId window) override;
    bool WatchWindow(TWindowId window) override;
    bool GrabInput(TWindowId window) override;
    void ReleaseInput() override;
    void SetCursor(TWindowId window, TCursorShape shape) override;
    void ShowCursor(bool show) override;
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
    bool ReadScreen(const TWindowRect& rect, const TPixelBuffer& buffer) override;
    void Beep() override;
    void SetClipboardText(std::string_view text) override;
    std::optional<std::string> GetClipboardText() override;

private:
    // Holds the connection lock. A thread other than the event thread may make Xlib read
    // events into its queue while the event thread sleeps in poll(); it pokes the wake
    // pipe then so that those events are not left waiting.
    class TCall {
    public:
        explicit TCall(TX11Display& owner) : FOwner(owner), FGuard(owner.FLock) {}
        ~TCall()
        {
            if (std::this_thread::get_id() != FOwner.FEventThread && !FOwner.Lost() &&
                XEventsQueued(FOwner.FDpy, QueuedAlready) > 0)
                FOwner.Poke();
        }
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

    bool Lost() const { return TX11ErrorTrap::IsLost(FDpy); }
    void Poke();
    Atom Intern(const char* name) { return XInternAtom(FDpy, name, False); }
    bool Translate(XEvent& x, TDisplayEvent& event);
    void HandleSelectionRequest(const XSelectionRequestEvent& request);
    Window ClipboardWindow();
    std::optional<std::string> ReadSelection(Atom target);
    bool WaitForSelectionNotify(XEvent& result);
    Cursor CursorFor(TCursorShape shape);
    void SendNetWmState(Window window, bool add, Atom state);
    void SetFixedSize(Window window, int width, int height);

    Display* FDpy;
    int FScreen;
    Window FRoot;
    mutable std::recursive_mutex FLock;
    std::thread::id FEventThread;
    int FWakePipe[2] = {-1, -1};
    std::atomic<bool> FWakeRequested{false};
    bool FLostReported = false;
    std::unique_ptr<TX11Presenter> FPresenter;
    std::map<Window, TWindowInfo> FWindows;
    std::map<TCursorShape, Cursor> FCursors;
    TDisplayClickTracker FClicks;
    int FCursorHidden = 0;
    bool FHasXFixes = false;
    bool FHasRandr = false;
    Window FClipboardWindow = 0;
    std::string FClipboardText;
    bool FOwnsClipboard = false;

    Atom FWmProtocols, FWmDeleteWindow, FNetWmName, FUtf8String, FNetWmState, FNetWmStateAbove, FNetWmIcon,
        FNetWmWindowType, FNetWmTypeNormal, FNetWmTypeDialog, FClipboard, FTargets, FText, FClipProperty;
};

TX11Display::TX11Display(Display* dpy, const char* name)
    : FDpy(dpy), FScreen(DefaultScreen(dpy)), FRoot(RootWindow(dpy, DefaultScreen(dpy))),
      FEventThread(std::this_thread::get_id())
{
    TX11ErrorTrap::Register(FDpy);
    if (pipe2(FWakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        XCloseDisplay(FDpy);
        TX11ErrorTrap::Unregister(FDpy);
        throw EDisplayError("Cannot create the display's wake-up channel");
    }
    try {
        FPresenter = std::make_unique<TX11Presenter>(name);
    } catch (...) {
        close(FWakePipe[0]);
        close(FWakePipe[1]);
        XCloseDisplay(FDpy);
        TX11ErrorTrap::Unregister(FDpy);
        throw;
    }
    Bool supported = False;
    XkbSetDetectableAutoRepeat(FDpy, True, &supported); // repeats come as presses only
    int eventBase = 0, errorBase = 0;
    FHasXFixes = XFixesQueryExtension(FDpy, &eventBase, &errorBase) == True;
    FHasRandr = XRRQueryExtension(FDpy, &eventBase, &errorBase) == True;
    FWmProtocols = Intern("WM_PROTOCOLS");
    FWmDeleteWindow = Intern("WM_DELETE_WINDOW");
    FNetWmName = Intern("_NET_WM_NAME");
    FUtf8String = Intern("UTF8_STRING");
    FNetWmState = Intern("_NET_WM_STATE");
    FNetWmStateAbove = Intern("_NET_WM_STATE_ABOVE");
    FNetWmIcon = Intern("_NET_WM_ICON");
    FNetWmWindowType = Intern("_NET_WM_WINDOW_TYPE");
    FNetWmTypeNormal = Intern("_NET_WM_WINDOW_TYPE_NORMAL");
    FNetWmTypeDialog = Intern("_NET_WM_WINDOW_TYPE_DIALOG");
    FClipboard = Intern("CLIPBOARD");
    FTargets = Intern("TARGETS");
    FText = Intern("TEXT");
    FClipProperty = Intern("VELTRANE_SELECTION");
}

TX11Display::~TX11Display()
{
    FPresenter.reset();
    if (!Lost()) {
        for (auto& [shape, cursor] : FCursors)
            XFreeCursor(FDpy, cursor);
        if (FCursorHidden && FHasXFixes)
            XFixesShowCursor(FDpy, FRoot);
        for (auto& [window, info] : FWindows)
            XDestroyWindow(FDpy, window);
        if (FClipboardWindow)
            XDestroyWindow(FDpy, FClipboardWindow);
        XSync(FDpy, False);
    }
    XCloseDisplay(FDpy);
    TX11ErrorTrap::Unregister(FDpy);
    close(FWakePipe[0]);
    close(FWakePipe[1]);
}

void TX11Display::Poke()
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(FWakePipe[1], &byte, 1); // a full pipe already wakes
}

TWindowId TX11Display::CreateWindow(const TWindowParams& params)
{
    TCall call(*this);
    if (Lost())
        throw EDisplayError("The connection to the display is lost");
    const int width = std::max(params.Width, 1);
    const int height = std::max(params.Height, 1);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(FDpy, FScreen);
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                            StructureNotifyMask;
    attributes.override_redirect = params.Style == wsFullScreen ? True : False;
    attributes.bit_gravity = NorthWestGravity;
    TX11ErrorTrap trap(FDpy);
    const Window window =
        XCreateWindow(FDpy, FRoot, params.Left, params.Top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWEventMask | CWOverrideRedirect | CWBitGravity, &attributes);
    if (trap.Failed() || !window)
        throw EDisplayError("Cannot create a window");

    TWindowInfo info;
    info.OverrideRedirect = params.Style == wsFullScreen;
    info.Dialog = params.Style == wsDialog;
    info.TopMost = params.TopMost;
    FWindows[window] = info;

    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = USPosition | PPosition;
        hints->x = params.Left;
        hints->y = params.Top;
        if (info.Dialog) {
            hints->flags |= PMinSize | PMaxSize;
            hints->min_width = hints->max_width = width;
            hints->min_height = hints->max_height = height;
        }
        XSetWMNormalHints(FDpy, window, hints);
        XFree(hints);
    }
    XClassHint* classHint = XAllocClassHint();
    if (classHint) {
        char instance[] = "veltrane";
        char className[] = "Veltrane";
        classHint->res_name = instance;
        classHint->res_class = className;
        XSetClassHint(FDpy, window, classHint);
        XFree(classHint);
    }
    XSetWMProtocols(FDpy, window, &FWmDeleteWindow, 1);
    const Atom type = info.Dialog ? FNetWmTypeDialog : FNetWmTypeNormal;
    XChangeProperty(FDpy, window, FNetWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    if (params.TopMost)
        XChangeProperty(FDpy, window, FNetWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&FNetWmStateAbove), 1);
    SetCaption(static_cast<TWindowId>(window), params.Caption);
    XSync(FDpy, False); // the presenter's connection must see the window at once
    return static_cast<TWindowId>(window);
}

void TX11Display::DestroyWindow(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    XDestroyWindow(FDpy, window);
    XSync(FDpy, False);
    FWindows.erase(window);
}

void TX11Display::ShowWindow(TWindowId window, bool show)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    auto it = FWindows.find(window);
    if (show) {
        XMapRaised(FDpy, window);
    } else if (it != FWindows.end() && !it->second.OverrideRedirect) {
        XWithdrawWindow(FDpy, window, FScreen); // tells a window manager as well
    } else {
        XUnmapWindow(FDpy, window);
    }
    XFlush(FDpy);
}

void TX11Display::SetFixedSize(Window window, int width, int height)
{
    XSizeHints* hints = XAllocSizeHints();
    if (!hints)
        return;
    long supplied = 0;
    XGetWMNormalHints(FDpy, window, hints, &supplied);
    hints->flags |= PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(FDpy, window, hints);
    XFree(hints);
}

void TX11Display::SetWindowBounds(TWindowId window, const TWindowRect& rect)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    const int width = std::max(rect.Width(), 1);
    const int height = std::max(rect.Height(), 1);
    auto it = FWindows.find(window);
    if (it != FWindows.end() && it->second.Dialog)
        SetFixedSize(window, width, height);
    XMoveResizeWindow(FDpy, window, rect.Left, rect.Top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(FDpy);
}

void TX11Display::SetCaption(TWindowId window, std::string_view caption)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    const std::string latin1 = Latin1FromCp1252(caption);
    XChangeProperty(FDpy, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
    const std::string utf8 = Utf8FromCp1252(caption);
    XChangeProperty(FDpy, window, FNetWmName, FUtf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
    XFlush(FDpy);
}

void TX11Display::SetIcon(TWindowId window, const TPixelView& icon)
{
    TCall call(*this);
    if (Lost() || !window || !icon.Bits || icon.Width <= 0 || icon.Height <= 0)
        return;
    // _NET_WM_ICON: width, height, then opaque ARGB pixels, each in a long.
    std::vector<unsigned long> data;
    data.reserve(2 + static_cast<size_t>(icon.Width) * icon.Height);
    data.push_back(static_cast<unsigned long>(icon.Width));
    data.push_back(static_cast<unsigned long>(icon.Height));
    for (int y = 0; y < icon.Height; ++y) {
        const std::uint8_t* p = icon.Row(y);
        for (int x = 0; x < icon.Width; ++x, p += icon.BytesPerPixel)
            data.push_back(0xFF000000ul | (static_cast<unsigned long>(p[2]) << 16) |
                           (static_cast<unsigned long>(p[1]) << 8) | p[0]);
    }
    XChangeProperty(FDpy, window, FNetWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    XFlush(FDpy);
}

void TX11Display::SendNetWmState(Window window, bool add, Atom state)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = FNetWmState;
    message.xclient.format = 32;
    message.xclient.data.l[0] = add ? 1 : 0;
    message.xclient.data.l[1] = static_cast<long>(state);
    message.xclient.data.l[3] = 1; // a normal application
    XSendEvent(FDpy, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
}

void TX11Display::SetTopMost(TWindowId window, bool topMost)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    auto it = FWindows.find(window);
    const bool managed = it == FWindows.end() || !it->second.OverrideRedirect;
    if (it != FWindows.end())
        it->second.TopMost = topMost;
    if (managed) {
        // Before mapping the property is read by the window manager; afterwards it is asked.
        if (topMost)
            XChangeProperty(FDpy, window, FNetWmState, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&FNetWmStateAbove), 1);
        else
            XDeleteProperty(FDpy, window, FNetWmState);
        SendNetWmState(window, topMost, FNetWmStateAbove);
    }
    if (topMost)
        XRaiseWindow(FDpy, window);
    XFlush(FDpy);
}

void TX11Display::RaiseWindow(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    XRaiseWindow(FDpy, window);
    XFlush(FDpy);
}

void TX11Display::SetFocus(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window || !IsWindowVisible(window))
        return;
    XSetInputFocus(FDpy, window, RevertToParent, CurrentTime);
    XFlush(FDpy);
}

std::optional<TWindowRect> TX11Display::GetWindowRect(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return std::nullopt;
    TX11ErrorTrap trap(FDpy);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(FDpy, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(FDpy, window, FRoot, 0, 0, &x, &y, &child) || trap.Failed())
        return std::nullopt;
    return TWindowRect{x, y, x + attributes.width, y + attributes.height};
}

TWindowSize TX11Display::GetClientSize(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return TWindowSize{};
    TX11ErrorTrap trap(FDpy);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(FDpy, window, &attributes))
        return TWindowSize{};
    return TWindowSize{attributes.width, attributes.height};
}

bool TX11Display::WindowExists(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return false;
    TX11ErrorTrap trap(FDpy);
    XWindowAttributes attributes;
    return XGetWindowAttributes(FDpy, window, &attributes) != 0;
}

bool TX11Display::IsWindowVisible(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return false;
    TX11ErrorTrap trap(FDpy);
    XWindowAttributes attributes;
    // IsViewable: mapped, and every ancestor mapped too.
    return XGetWindowAttributes(FDpy, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

bool TX11Display::WatchWindow(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return false;
    if (FWindows.count(window))
        return true; // ours: already selected
    TX11ErrorTrap trap(FDpy);
    XSelectInput(FDpy, window, StructureNotifyMask | ExposureMask);
    return !trap.Failed();
}

bool TX11Display::GrabInput(TWindowId window)
{
    TCall call(*this);
    if (Lost() || !window)
        return false;
    const int pointer = XGrabPointer(FDpy, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (pointer != GrabSuccess)
        return false;
    if (XGrabKeyboard(FDpy, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess) {
        XUngrabPointer(FDpy, CurrentTime);
        XFlush(FDpy);
        return false;
    }
    XFlush(FDpy);
    return true;
}

void TX11Display::ReleaseInput()
{
    TCall call(*this);
    if (Lost())
        return;
    XUngrabKeyboard(FDpy, CurrentTime);
    XUngrabPointer(FDpy, CurrentTime);
    XFlush(FDpy);
}

Cursor TX11Display::CursorFor(TCursorShape shape)
{
    auto it = FCursors.find(shape);
    if (it != FCursors.end())
        return it->second;
    Cursor cursor = 0;
    if (shape == crNone) {
        // An empty 1 x 1 cursor: hidden over this window only.
        const char empty = 0;
        Pixmap pixmap = XCreateBitmapFromData(FDpy, FRoot, &empty, 1, 1);
        XColor black{};
        cursor = XCreatePixmapCursor(FDpy, pixmap, pixmap, &black, &black, 0, 0);
        XFreePixmap(FDpy, pixmap);
    } else {
        const unsigned glyph = shape == crHandPoint ? XC_hand2 : shape == crIBeam ? XC_xterm : XC_left_ptr;
        cursor = XCreateFontCursor(FDpy, glyph);
    }
    FCursors[shape] = cursor;
    return cursor;
}

void TX11Display::SetCursor(TWindowId window, TCursorShape shape)
{
    TCall call(*this);
    if (Lost() || !window)
        return;
    XDefineCursor(FDpy, window, CursorFor(shape));
    XFlush(FDpy);
}

void TX11Display::ShowCursor(bool show)
{
    TCall call(*this);
    if (Lost())
        return;
    // Counted like the Windows call: hidden while more hides than shows were asked for.
    const bool wasHidden = FCursorHidden > 0;
    FCursorHidden += show ? -1 : 1;
    const bool hidden = FCursorHidden > 0;
    if (FHasXFixes && hidden != wasHidden) {
        if (hidden)
            XFixesHideCursor(FDpy, FRoot);
        else
            XFixesShowCursor(FDpy, FRoot);
        XFlush(FDpy);
    }
}

TWindowPoint TX11Display::GetCursorPos()
{
    TCall call(*this);
    if (Lost())
        return TWindowPoint{};
    Window rootReturn = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned mask = 0;
    XQueryPointer(FDpy, FRoot, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
    return TWindowPoint{rootX, rootY};
}

bool TX11Display::PresentBits(TWindowId window, int destX, int destY, const TPixelView& pixels,
                              const TWindowRect& source)
{
    return FPresenter->Present(window, destX, destY, pixels, source);
}

bool TX11Display::Translate(XEvent& x, TDisplayEvent& event)
{
    event = TDisplayEvent{};
    switch (x.type) {
    case Expose:
        event.Kind = dePaint;
        event.Window = static_cast<TWindowId>(x.xexpose.window);
        event.Rect = TWindowRect{x.xexpose.x, x.xexpose.y, x.xexpose.x + x.xexpose.width,
                                 x.xexpose.y + x.xexpose.height};
        return true;
    case KeyPress:
    case KeyRelease: {
        event.Kind = x.type == KeyPress ? deKeyDown : deKeyUp;
        event.Window = static_cast<TWindowId>(x.xkey.window);
        event.Shift = ShiftFromState(x.xkey.state);
        event.Time = static_cast<std::uint32_t>(x.xkey.time);
        event.X = x.xkey.x;
        event.Y = x.xkey.y;
        event.ScreenX = x.xkey.x_root;
        event.ScreenY = x.xkey.y_root;
        event.Key = VirtualKeyFromKeySym(XLookupKeysym(&x.xkey, 0));
        if (x.type == KeyPress) {
            char text[8] = {};
            KeySym keySym = 0;
            const int length = XLookupString(&x.xkey, text, sizeof text, &keySym, nullptr);
            // One Latin-1 byte (this includes control characters such as Return and
            // Ctrl+letter), else the keysym's own code point (the euro sign and friends).
            std::uint32_t cp = length == 1 ? static_cast<unsigned char>(text[0]) : 0;
            if (length == 0)
                cp = CodePointFromKeySym(keySym);
            event.Char = Cp1252FromCodePoint(cp);
            event.CodePoint = event.Char ? cp : 0;
        }
        return true;
    }
    case ButtonPress:
    case ButtonRelease:
        event.Kind = x.type == ButtonPress ? deButtonDown : deButtonUp;
        event.Window = static_cast<TWindowId>(x.xbutton.window);
        event.Button = ButtonFromX(x.xbutton.button);
        event.Shift = ShiftFromState(x.xbutton.state);
        event.Time = static_cast<std::uint32_t>(x.xbutton.time);
        event.X = x.xbutton.x;
        event.Y = x.xbutton.y;
        event.ScreenX = x.xbutton.x_root;
        event.ScreenY = x.xbutton.y_root;
        if (x.type == ButtonPress && event.Button <= mbMiddle)
            event.DoubleClick = FClicks.Press(event.Window, event.Button, event.X, event.Y, event.Time);
        return true;
    case MotionNotify:
        event.Kind = deMouseMove;
        event.Window = static_cast<TWindowId>(x.xmotion.window);
        event.Shift = ShiftFromState(x.xmotion.state);
        event.Time = static_cast<std::uint32_t>(x.xmotion.time);
        event.X = x.xmotion.x;
        event.Y = x.xmotion.y;
        event.ScreenX = x.xmotion.x_root;
        event.ScreenY = x.xmotion.y_root;
        return true;
    case EnterNotify:
    case LeaveNotify:
        if (x.xcrossing.detail == NotifyInferior)
            return false;
        event.Kind = x.type == EnterNotify ? deMouseEnter : deMouseLeave;
        event.Window = static_cast<TWindowId>(x.xcrossing.window);
        event.Time = static_cast<std::uint32_t>(x.xcrossing.time);
        event.X = x.xcrossing.x;
        event.Y = x.xcrossing.y;
        event.ScreenX = x.xcrossing.x_root;
        event.ScreenY = x.xcrossing.y_root;
        return true;
    case FocusIn:
    case FocusOut:
        if (x.xfocus.detail == NotifyPointer || x.xfocus.mode == NotifyGrab || x.xfocus.mode == NotifyUngrab)
            return false;
        event.Kind = x.type == FocusIn ? deFocusIn : deFocusOut;
        event.Window = static_cast<TWindowId>(x.xfocus.window);
        return true;
    case ClientMessage:
        if (x.xclient.message_type == FWmProtocols && static_cast<Atom>(x.xclient.data.l[0]) == FWmDeleteWindow) {
            event.Kind = deClose;
            event.Window = static_cast<TWindowId>(x.xclient.window);
            return true;
        }
        return false;
    case DestroyNotify:
        // Only the window's own notice; the root's substructure notices are not asked for.
        if (x.xdestroywindow.event != x.xdestroywindow.window)
            return false;
        event.Kind = deDestroyed;
        event.Window = static_cast<TWindowId>(x.xdestroywindow.window);
        FWindows.erase(x.xdestroywindow.window);
        return true;
    case MapNotify:
        if (x.xmap.event != x.xmap.window)
            return false;
        event.Kind = deMapped;
        event.Window = static_cast<TWindowId>(x.xmap.window);
        return true;
    case UnmapNotify:
        if (x.xunmap.event != x.xunmap.window)
            return false;
        event.Kind = deUnmapped;
        event.Window = static_cast<TWindowId>(x.xunmap.window);
        return true;
    case ConfigureNotify: {
        if (x.xconfigure.event != x.xconfigure.window)
            return false;
        event.Kind = deConfigure;
        event.Window = static_cast<TWindowId>(x.xconfigure.window);
        int left = x.xconfigure.x, top = x.xconfigure.y;
        if (!x.xconfigure.send_event) {
            // Relative to a window manager's frame: ask for the place on the screen.
            TX11ErrorTrap trap(FDpy);
            Window child = 0;
            int sx = 0, sy = 0;
            if (XTranslateCoordinates(FDpy, x.xconfigure.window, FRoot, 0, 0, &sx, &sy, &child) && !trap.Failed()) {
                left = sx;
                top = sy;
            }
        }
        event.Rect = TWindowRect{left, top, left + x.xconfigure.width, top + x.xconfigure.height};
        return true;
    }
    case SelectionRequest:
        HandleSelectionRequest(x.xselectionrequest);
        return false;
    case SelectionClear:
        if (x.xselectionclear.selection == FClipboard) {
            FOwnsClipboard = false;
            FClipboardText.clear();
        }
        return false;
    case MappingNotify:
        XRefreshKeyboardMapping(&x.xmapping);
        return false;
    default:
        return false;
    }
}

bool TX11Display::WaitEvent(TDisplayEvent& event, int timeoutMs)
{
    using TClock = std::chrono::steady_clock;
    const auto deadline = TClock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    std::unique_lock lock(FLock);
    FEventThread = std::this_thread::get_id();
    for (;;) {
        if (Lost()) {
            if (FLostReported)
                return false;
            FLostReported = true;
            event = TDisplayEvent{};
            event.Kind = deConnectionLost;
            return true;
        }
        while (XPending(FDpy) > 0) {
            XEvent x;
            XNextEvent(FDpy, &x);
            if (Translate(x, event))
                return true;
        }
        if (Lost())
            continue;
        if (FWakeRequested.exchange(false)) {
            event = TDisplayEvent{};
            event.Kind = deWake;
            return true;
        }
        int waitMs = -1;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
            if (left <= 0)
                return false;
            waitMs = static_cast<int>(left);
        }
        pollfd fds[2] = {{ConnectionNumber(FDpy), POLLIN, 0}, {FWakePipe[0], POLLIN, 0}};
        lock.unlock();
        const int ready = poll(fds, 2, waitMs);
        lock.lock();
        if (ready > 0 && (fds[1].revents & POLLIN)) {
            char drain[64];
            while (read(FWakePipe[0], drain, sizeof drain) > 0) {
            }
        }
        // Data or a hang-up on the connection: the next XPending reads it (and notices a loss).
    }
}

bool TX11Display::Pending()
{
    TCall call(*this);
    if (Lost())
        return !FLostReported;
    return FWakeRequested || XPending(FDpy) > 0;
}

void TX11Display::Wake()
{
    FWakeRequested = true;
    Poke();
}

bool TX11Display::ConnectionLost() const
{
    return Lost();
}

TWindowSize TX11Display::ScreenSize()
{
    TCall call(*this);
    return TWindowSize{DisplayWidth(FDpy, FScreen), DisplayHeight(FDpy, FScreen)};
}

TWindowRect TX11Display::PrimaryMonitorRect()
{
    TCall call(*this);
    const TWindowRect whole{0, 0, DisplayWidth(FDpy, FScreen), DisplayHeight(FDpy, FScreen)};
    if (Lost() || !FHasRandr)
        return whole;
    TX11ErrorTrap trap(FDpy);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(FDpy, FRoot);
    if (!resources)
        return whole;
    auto crtcRect = [&](RRCrtc crtc) -> std::optional<TWindowRect> {
        XRRCrtcInfo* info = XRRGetCrtcInfo(FDpy, resources, crtc);
        if (!info)
            return std::nullopt;
        std::optional<TWindowRect> rect;
        if (info->mode != None && info->width > 0 && info->height > 0)
            rect = TWindowRect{info->x, info->y, info->x + static_cast<int>(info->width),
                               info->y + static_cast<int>(info->height)};
        XRRFreeCrtcInfo(info);
        return rect;
    };
    std::optional<TWindowRect> result;
    const RROutput primary = XRRGetOutputPrimary(FDpy, FRoot);
    if (primary) {
        if (XRROutputInfo* output = XRRGetOutputInfo(FDpy, resources, primary)) {
            if (output->crtc)
                result = crtcRect(output->crtc);
            XRRFreeOutputInfo(output);
        }
    }
    for (int i = 0; !result && i < resources->ncrtc; ++i)
        result = crtcRect(resources->crtcs[i]);
    XRRFreeScreenResources(resources);
    return result && !trap.Failed() ? *result : whole;
}

int TX11Display::ScreenBitsPerPixel()
{
    TCall call(*this);
    return DefaultDepth(FDpy, FScreen);
}

bool TX11Display::ReadScreen(const TWindowRect& rect, const TPixelBuffer& buffer)
{
    TCall call(*this);
    if (Lost() || !buffer.Bits || (buffer.BytesPerPixel != 3 && buffer.BytesPerPixel != 4))
        return false;
    const int width = std::min(rect.Width(), buffer.Width);
    const int height = std::min(rect.Height(), buffer.Height);
    if (width <= 0 || height <= 0)
        return true;
    for (int y = 0; y < height; ++y)
        std::fill_n(buffer.Row(y), static_cast<size_t>(width) * buffer.BytesPerPixel, std::uint8_t{0});
    // Only the part on the screen can be read; the rest stays black.
    const int left = std::max(rect.Left, 0);
    const int top = std::max(rect.Top, 0);
    const int right = std::min(rect.Left + width, DisplayWidth(FDpy, FScreen));
    const int bottom = std::min(rect.Top + height, DisplayHeight(FDpy, FScreen));
    if (right <= left || bottom <= top)
        return true;
    TX11ErrorTrap trap(FDpy);
    XImage* image = XGetImage(FDpy, FRoot, left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image)
        return false;
    const Visual* visual = DefaultVisual(FDpy, FScreen);
    auto channel = [](unsigned long value, unsigned long mask) -> std::uint8_t {
        if (!mask)
            return 0;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const unsigned long max = mask >> shift;
        return static_cast<std::uint8_t>(((value & mask) >> shift) * 255 / max);
    };
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* dst = buffer.Row(y - rect.Top) + static_cast<size_t>(left - rect.Left) * buffer.BytesPerPixel;
        for (int x = left; x < right; ++x, dst += buffer.BytesPerPixel) {
            const unsigned long pixel = XGetPixel(image, x - left, y - top);
            dst[0] = channel(pixel, visual->blue_mask);
            dst[1] = channel(pixel, visual->green_mask);
            dst[2] = channel(pixel, visual->red_mask);
            if (buffer.BytesPerPixel == 4)
                dst[3] = 0;
        }
    }
    XDestroyImage(image);
    return true;
}

void TX11Display::Beep()
{
    TCall call(*this);
    if (Lost())
        return;
    XBell(FDpy, 0);
    XFlush(FDpy);
}

Window TX11Display::ClipboardWindow()
{
    if (!FClipboardWindow) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        FClipboardWindow = XCreateWindow(FDpy, FRoot, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent,
                                         CWEventMask, &attributes);
    }
    return FClipboardWindow;
}

void TX11Display::SetClipboardText(std::string_view text)
{
    TCall call(*this);
    if (Lost())
        return;
    FClipboardText = text;
    XSetSelectionOwner(FDpy, FClipboard, ClipboardWindow(), CurrentTime);
    FOwnsClipboard = XGetSelectionOwner(FDpy, FClipboard) == ClipboardWindow();
}

void TX11Display::HandleSelectionRequest(const XSelectionRequestEvent& request)
{
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    // Old clients name no property: the target's name stands for it.
    const Atom property = request.property ? request.property : request.target;
    reply.xselection.property = None;
    if (FOwnsClipboard && request.selection == FClipboard) {
        TX11ErrorTrap trap(FDpy);
        if (request.target == FTargets) {
            const Atom targets[] = {FTargets, FUtf8String, XA_STRING, FText};
            XChangeProperty(FDpy, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(targets), 4);
            reply.xselection.property = property;
        } else if (request.target == FUtf8String || request.target == XA_STRING || request.target == FText) {
            const bool utf8 = request.target == FUtf8String;
            const std::string data = utf8 ? Utf8FromCp1252(FClipboardText) : Latin1FromCp1252(FClipboardText);
            XChangeProperty(FDpy, request.requestor, property, utf8 ? FUtf8String : XA_STRING, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
            reply.xselection.property = property;
        }
        if (trap.Failed())
            return; // the requestor went away
    }
    XSendEvent(FDpy, request.requestor, False, NoEventMask, &reply);
    XFlush(FDpy);
}

bool TX11Display::WaitForSelectionNotify(XEvent& result)
{
    using TClock = std::chrono::steady_clock;
    const auto deadline = TClock::now() + std::chrono::milliseconds(ClipboardTimeoutMs);
    for (;;) {
        if (XCheckTypedWindowEvent(FDpy, FClipboardWindow, SelectionNotify, &result))
            return true;
        if (Lost())
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
        if (left <= 0)
            return false;
        pollfd fd{ConnectionNumber(FDpy), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left, 50)));
        XEventsQueued(FDpy, QueuedAfterReading);
    }
}

std::optional<std::string> TX11Display::ReadSelection(Atom target)
{
    XDeleteProperty(FDpy, ClipboardWindow(), FClipProperty);
    XConvertSelection(FDpy, FClipboard, target, FClipProperty, ClipboardWindow(), CurrentTime);
    XFlush(FDpy);
    XEvent notify;
    if (!WaitForSelectionNotify(notify) || notify.xselection.property == None)
        return std::nullopt;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    TX11ErrorTrap trap(FDpy);
    if (XGetWindowProperty(FDpy, FClipboardWindow, FClipProperty, 0, 1 << 24, True, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success ||
        !data) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    // Incremental transfers (very large texts) are not taken.
    if (format == 8 && (type == FUtf8String || type == XA_STRING)) {
        const std::string raw(reinterpret_cast<const char*>(data), count);
        text = type == FUtf8String ? Cp1252FromUtf8(raw) : raw;
    }
    XFree(data);
    return text;
}

std::optional<std::string> TX11Display::GetClipboardText()
{
    TCall call(*this);
    if (Lost())
        return std::nullopt;
    const Window owner = XGetSelectionOwner(FDpy, FClipboard);
    if (owner == None)
        return std::nullopt;
    if (owner == FClipboardWindow && FOwnsClipboard)
        return FClipboardText;
    if (auto text = ReadSelection(FUtf8String))
        return text;
    return ReadSelection(XA_STRING);
}

} // namespace

std::unique_ptr<TDisplay> OpenX11Display(const char* name)
{
    static std::once_flag threadsOnce;
    std::call_once(threadsOnce, [] { XInitThreads(); });
    Display* dpy = XOpenDisplay(name);
    if (!dpy)
        return nullptr;
    return std::make_unique<TX11Display>(dpy, name);
}
