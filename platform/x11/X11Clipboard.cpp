#include "platform/x11/X11Display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Text.h"

namespace {

constexpr int ClipboardTimeoutMs = 1000;

} // namespace

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

void TX11Display::HandleSelectionRequest(const XEvent& x)
{
    const XSelectionRequestEvent& request = x.xselectionrequest;
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
