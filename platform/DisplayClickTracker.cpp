#include "platform/DisplayClickTracker.h"

#include <cstdlib>

bool TDisplayClickTracker::Press(TWindowId window, TMouseButton button, int x, int y, std::uint32_t time)
{
    // Unsigned difference: server time wraps after 49 days.
    const bool isDouble = FHasLast && window == FWindow && button == FButton &&
                          static_cast<std::uint32_t>(time - FTime) <= DoubleClickTime &&
                          std::abs(x - FX) <= DoubleClickBox && std::abs(y - FY) <= DoubleClickBox;
    if (isDouble) {
        FHasLast = false;
        return true;
    }
    FHasLast = true;
    FWindow = window;
    FButton = button;
    FX = x;
    FY = y;
    FTime = time;
    return false;
}
