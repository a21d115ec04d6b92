#pragma once

#include <memory>

#include "platform/Display.h"

// The display of the platform this program was built for, where the user's session
// names it (on X11 the server in $DISPLAY). Null when no display server answers.
// Each backend folder implements it; the build picks one.
std::unique_ptr<TDisplay> OpenDefaultDisplay();
