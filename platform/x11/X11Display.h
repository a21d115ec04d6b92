#pragma once

#include <memory>

#include "platform/Display.h"

// The real display: an X11 server through Xlib. Null when no server answers at name
// (nullptr: $DISPLAY).
std::unique_ptr<TDisplay> OpenX11Display(const char* name = nullptr);
