#include "XTestInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>

TXTestInput::TXTestInput(const std::string& displayName)
{
    FDisplay = XOpenDisplay(displayName.c_str());
    if (!FDisplay)
        throw std::runtime_error("XTEST input: cannot open display " + displayName);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(FDisplay, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(FDisplay);
        throw std::runtime_error("XTEST input: the server has no XTEST extension");
    }
}

TXTestInput::~TXTestInput()
{
    XCloseDisplay(FDisplay);
}

void TXTestInput::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(FDisplay, 0, x, y, CurrentTime);
    XSync(FDisplay, False);
}

void TXTestInput::Button(unsigned button, bool down)
{
    XTestFakeButtonEvent(FDisplay, button, down ? True : False, CurrentTime);
    XSync(FDisplay, False);
}

void TXTestInput::Click(unsigned button)
{
    Button(button, true);
    Button(button, false);
}

void TXTestInput::Key(unsigned long keySym, bool down)
{
    const KeyCode code = XKeysymToKeycode(FDisplay, keySym);
    if (!code)
        throw std::runtime_error("XTEST input: no key types keysym " + std::to_string(keySym));
    XTestFakeKeyEvent(FDisplay, code, down ? True : False, CurrentTime);
    XSync(FDisplay, False);
}

void TXTestInput::Tap(unsigned long keySym)
{
    Key(keySym, true);
    Key(keySym, false);
}
