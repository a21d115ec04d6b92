#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/DisplayTypes.h"

class TDisplay;

// Test helper: reads a rectangle of the screen through a display, as colours 0x00BBGGRR
// row by row from the top (the way TBitmap::GetPixel answers them).
class TScreenReader {
public:
    TScreenReader(TDisplay& display, const TWindowRect& rect) : FDisplay(display), FRect(rect) {}

    // What the rectangle shows now; empty when the screen cannot be read.
    std::vector<std::uint32_t> Shown() const;
    // Waits until the rectangle shows expected; false after the time, having said on
    // standard error in how many pixels it differs.
    bool WaitUntilShown(const std::vector<std::uint32_t>& expected, std::chrono::milliseconds within) const;

private:
    TDisplay& FDisplay;
    TWindowRect FRect;
};
