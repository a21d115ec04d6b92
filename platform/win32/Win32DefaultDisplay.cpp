#include "platform/DefaultDisplay.h"

#include "platform/win32/Win32Display.h"

std::unique_ptr<TDisplay> OpenDefaultDisplay()
{
    return OpenWin32Display();
}
