#include "XConnection.h"

#include <X11/Xlib.h>

#include <stdexcept>

#include "platform/x11/X11ErrorTrap.h"

TXConnection::TXConnection(const std::string& displayName) : FName(displayName)
{
    FDisplay = XOpenDisplay(displayName.c_str());
    if (!FDisplay)
        throw std::runtime_error("cannot open display " + displayName);
    TX11ErrorTrap::Register(FDisplay);
}

TXConnection::~TXConnection()
{
    XCloseDisplay(FDisplay);
    TX11ErrorTrap::Unregister(FDisplay);
}

void TXConnection::Sync(const std::string& what)
{
    if (!Lost())
        XSync(FDisplay, False);
    if (Lost())
        throw std::runtime_error(what + ": the connection to display " + FName + " is lost");
}

bool TXConnection::Lost() const
{
    return TX11ErrorTrap::IsLost(FDisplay);
}
