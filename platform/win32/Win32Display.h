#pragma once

#include <memory>

#include "platform/Display.h"

// The real display on Windows: top-level windows and messages of user32, pixels through
// GDI. Raises EDisplayError when its window class cannot be registered.
std::unique_ptr<TDisplay> OpenWin32Display();
