#include "XTestInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>

#include "platform/x11/X11ErrorTrap.h"

TXTestInput::TXTestInput(const std::string& displayName) : FConnection(displayName)
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(FConnection.Get(), &eventBase, &errorBase, &major, &minor))
        throw std::runtime_error("XTEST input: the server has no XTEST extension");
}

void TXTestInput::MoveTo(int x, int y)
{
    TX11ErrorTrap trap(FConnection.Get());
    XTestFakeMotionEvent(FConnection.Get(), 0, x, y, CurrentTime);
    Finish(trap, "XTEST pointer motion");
}

void TXTestInput::Button(unsigned button, bool down)
{
    TX11ErrorTrap trap(FConnection.Get());
    XTestFakeButtonEvent(FConnection.Get(), button, down ? True : False, CurrentTime);
    Finish(trap, "XTEST button");
}

void TXTestInput::Click(unsigned button)
{
    Button(button, true);
    Button(button, false);
}

void TXTestInput::Key(unsigned long keySym, bool down)
{
    const KeyCode code = XKeysymToKeycode(FConnection.Get(), keySym);
    if (!code)
        throw std::runtime_error("XTEST input: no key types keysym " + std::to_string(keySym));
    TX11ErrorTrap trap(FConnection.Get());
    XTestFakeKeyEvent(FConnection.Get(), code, down ? True : False, CurrentTime);
    Finish(trap, "XTEST key");
}

void TXTestInput::Tap(unsigned long keySym)
{
    Key(keySym, true);
    Key(keySym, false);
}

void TXTestInput::Finish(TX11ErrorTrap& trap, const char* what)
{
    const bool failed = trap.Failed();
    FConnection.Sync(what);
    if (failed)
        throw std::runtime_error(std::string(what) + ": the server refused the request (X error " +
                                 std::to_string(trap.ErrorCode()) + ")");
}
