#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct _XDisplay;

// True for the visual classes whose pixels index a colour map (8-bit palette screens and
// the like) rather than holding red, green and blue bits.
bool X11IndexedVisual(int visualClass);

// The current colour of every cell of a colour map, as blue, green and red bytes.
std::vector<std::array<std::uint8_t, 3>> X11ColorMapColors(_XDisplay* display, unsigned long colormap,
                                                           int entries);

// Drawing true-colour pixels on an indexed visual: a 6 x 6 x 6 cube of read-only cells is
// allocated in the colour map; a cell the map cannot give is replaced by the nearest colour
// it already holds. The cells go with the connection.
class TX11ColorMap {
public:
    TX11ColorMap(_XDisplay* display, unsigned long colormap, int entries);

    // The pixel value nearest to a colour.
    unsigned long Pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const
    {
        return FPixels[Level(red) * 36 + Level(green) * 6 + Level(blue)];
    }

private:
    static int Level(std::uint8_t value) { return (value * 5 + 127) / 255; }

    std::array<unsigned long, 216> FPixels{};
};
