#include "platform/x11/X11Display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11KeyMap.h"
#include "platform/x11/X11StayOnTop.h"

namespace {

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

} // namespace

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
        FStayOnTop->Forget(x.xdestroywindow.window);
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
        HandleSelectionRequest(x);
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
            FStayOnTop->Notice(x);
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
