#pragma once

#include <vector>

#include "platform/DisplayTypes.h"

class TDisplay;

// Black windows over every monitor that the full-screen view does not cover, above every
// other window as the view is, with the cursor hidden over them; they go with the object.
class TMonitorCovers {
public:
    // Covers each of the display's monitors that does not lie within primary.
    TMonitorCovers(TDisplay& display, const TWindowRect& primary);
    ~TMonitorCovers();
    TMonitorCovers(const TMonitorCovers&) = delete;
    TMonitorCovers& operator=(const TMonitorCovers&) = delete;

private:
    TDisplay& FDisplay;
    std::vector<TWindowId> FWindows;
};
