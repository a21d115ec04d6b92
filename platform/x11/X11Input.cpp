#include "platform/x11/X11Display.h"

#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

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

void TX11Display::SetCursorHidden(bool hidden)
{
    TCall call(*this);
    if (Lost() || !FHasXFixes)
        return;
    if (hidden)
        XFixesHideCursor(FDpy, FRoot);
    else
        XFixesShowCursor(FDpy, FRoot);
    XFlush(FDpy);
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
