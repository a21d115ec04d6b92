#include "platform/x11/X11ColorMap.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <limits>

#include "platform/x11/X11ErrorTrap.h"

bool X11IndexedVisual(int visualClass)
{
    return visualClass == PseudoColor || visualClass == StaticColor || visualClass == GrayScale ||
           visualClass == StaticGray;
}

std::vector<std::array<std::uint8_t, 3>> X11ColorMapColors(Display* display, unsigned long colormap, int entries)
{
    std::vector<XColor> cells(static_cast<std::size_t>(std::max(entries, 0)));
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i].pixel = i;
    TX11ErrorTrap trap(display);
    if (!cells.empty())
        XQueryColors(display, colormap, cells.data(), static_cast<int>(cells.size()));
    std::vector<std::array<std::uint8_t, 3>> colors;
    if (trap.Failed())
        return colors;
    for (const XColor& cell : cells)
        colors.push_back({static_cast<std::uint8_t>(cell.blue >> 8), static_cast<std::uint8_t>(cell.green >> 8),
                          static_cast<std::uint8_t>(cell.red >> 8)});
    return colors;
}

TX11ColorMap::TX11ColorMap(Display* display, unsigned long colormap, int entries)
{
    std::vector<std::array<std::uint8_t, 3>> existing;  // read only when a cell cannot be had
    TX11ErrorTrap trap(display);
    for (int i = 0; i < 216; ++i) {
        const int levels[3] = {i / 36, i / 6 % 6, i % 6};  // red, green, blue
        XColor wanted{};
        wanted.red = static_cast<unsigned short>(levels[0] * 51 * 257);
        wanted.green = static_cast<unsigned short>(levels[1] * 51 * 257);
        wanted.blue = static_cast<unsigned short>(levels[2] * 51 * 257);
        wanted.flags = DoRed | DoGreen | DoBlue;
        if (XAllocColor(display, colormap, &wanted)) {
            FPixels[i] = wanted.pixel;
            continue;
        }
        if (existing.empty())
            existing = X11ColorMapColors(display, colormap, entries);
        long best = std::numeric_limits<long>::max();
        for (std::size_t cell = 0; cell < existing.size(); ++cell) {
            long distance = 0;
            for (int c = 0; c < 3; ++c) {
                const long d = static_cast<long>(existing[cell][2 - c]) - levels[c] * 51;
                distance += d * d;
            }
            if (distance < best) {
                best = distance;
                FPixels[i] = cell;
            }
        }
    }
}
