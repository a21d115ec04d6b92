#include "platform/Display.h"

#include <algorithm>

bool TDisplay::ReadScreen(const TWindowRect& rect, const TPixelBuffer& buffer)
{
    if (ConnectionLost() || !buffer.Bits || (buffer.BytesPerPixel != 3 && buffer.BytesPerPixel != 4))
        return false;
    const int width = std::min(rect.Width(), buffer.Width);
    const int height = std::min(rect.Height(), buffer.Height);
    if (width <= 0 || height <= 0)
        return true;
    for (int y = 0; y < height; ++y)
        std::fill_n(buffer.Row(y), static_cast<std::size_t>(width) * buffer.BytesPerPixel, std::uint8_t{0});
    // Only the part on the screen can be read; the rest stays black.
    const TWindowSize screen = ScreenSize();
    const TWindowRect area{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Left + width, screen.Width),
                           std::min(rect.Top + height, screen.Height)};
    if (area.IsEmpty())
        return true;
    const TWindowRect inBuffer{area.Left - rect.Left, area.Top - rect.Top, area.Right - rect.Left,
                               area.Bottom - rect.Top};
    return ReadScreenPixels(area, buffer.Part(inBuffer));
}
