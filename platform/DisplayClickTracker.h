#pragma once

#include <cstdint>

#include "platform/DisplayTypes.h"

// Tells a double click from two single clicks: the second press of the same button on
// the same window within DoubleClickTime milliseconds and within DoubleClickBox pixels
// in each direction. A third press starts again (it is not a second double click).
class TDisplayClickTracker {
public:
    static constexpr std::uint32_t DoubleClickTime = 500;
    static constexpr int DoubleClickBox = 4;

    // Records a press and answers whether it completes a double click.
    bool Press(TWindowId window, TMouseButton button, int x, int y, std::uint32_t time);
    void Reset() { FHasLast = false; }

private:
    bool FHasLast = false;
    TWindowId FWindow = 0;
    TMouseButton FButton = mbLeft;
    int FX = 0;
    int FY = 0;
    std::uint32_t FTime = 0;
};
