#include "platform/x11/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <unistd.h>

#include <type_traits>

#include "platform/ScopeGuard.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Presenter.h"
#include "platform/x11/X11StayOnTop.h"

static_assert(std::is_same_v<TX11Id, Window> && std::is_same_v<TX11Id, Atom> && std::is_same_v<TX11Id, Cursor>);

std::unique_ptr<TDisplay> OpenX11Display(const char* name)
{
    static std::once_flag threadsOnce;
    std::call_once(threadsOnce, [] { XInitThreads(); });
    Display* dpy = XOpenDisplay(name);
    if (!dpy)
        return nullptr;
    return std::make_unique<TX11Display>(dpy, name);
}

TX11Display::TX11Display(_XDisplay* dpy, const char* name)
    : FDpy(dpy), FScreen(DefaultScreen(dpy)), FRoot(RootWindow(dpy, DefaultScreen(dpy))),
      FEventThread(std::this_thread::get_id())
{
    TX11ErrorTrap::Register(FDpy);
    // The destructor does not run for a constructor that fails: undo what was done.
    TScopeGuard closeConnection([this] {
        XCloseDisplay(FDpy);
        TX11ErrorTrap::Unregister(FDpy);
    });
    if (pipe2(FWakePipe, O_NONBLOCK | O_CLOEXEC) != 0)
        throw EDisplayError("Cannot create the display's wake-up channel");
    TScopeGuard closePipe([this] {
        close(FWakePipe[0]);
        close(FWakePipe[1]);
    });
    FPresenter = std::make_unique<TX11Presenter>(name);
    FStayOnTop = std::make_unique<TX11StayOnTop>(FDpy, FRoot);
    closePipe.Dismiss();
    closeConnection.Dismiss();
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
    FNetWmStateFullScreen = Intern("_NET_WM_STATE_FULLSCREEN");
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
        if (CursorShowCount() < 0 && FHasXFixes)
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

TX11Display::TCall::~TCall()
{
    if (std::this_thread::get_id() != FOwner.FEventThread && !FOwner.Lost() &&
        XEventsQueued(FOwner.FDpy, QueuedAlready) > 0)
        FOwner.Poke();
}

bool TX11Display::Lost() const
{
    return TX11ErrorTrap::IsLost(FDpy);
}

bool TX11Display::ConnectionLost() const
{
    return Lost();
}

TX11Id TX11Display::Intern(const char* name)
{
    return XInternAtom(FDpy, name, False);
}
