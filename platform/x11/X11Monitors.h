#pragma once

#include <vector>

#include "platform/DisplayTypes.h"

struct _XDisplay;

// A monitor as RandR describes it.
struct TX11Monitor {
    TWindowRect Rect;
    bool Primary = false;
};

// The monitors of the screen whose root window is given, as RandR 1.5 lists them (also
// those set up without an output of their own); empty when the server cannot tell.
std::vector<TX11Monitor> ListX11Monitors(_XDisplay* display, unsigned long root);
