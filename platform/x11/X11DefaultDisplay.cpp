#include "platform/DefaultDisplay.h"

#include "platform/x11/X11Display.h"

std::unique_ptr<TDisplay> OpenDefaultDisplay()
{
    return OpenX11Display();
}
