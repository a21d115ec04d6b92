#include "ScreenReader.h"

#include <cstdio>

#include "WaitUntil.h"
#include "platform/Display.h"

std::vector<std::uint32_t> TScreenReader::Shown() const
{
    const int width = FRect.Width();
    const int height = FRect.Height();
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(width) * height * 4);
    TPixelBuffer buffer{bits.data(), width, height, static_cast<std::size_t>(width) * 4, false, 4};
    std::vector<std::uint32_t> colours;
    if (!FDisplay.ReadScreen(FRect, buffer))
        return colours;
    for (std::size_t i = 0; i < bits.size(); i += 4)
        colours.push_back(bits[i + 2] | (bits[i + 1] << 8) | (static_cast<std::uint32_t>(bits[i]) << 16));
    return colours;
}

bool TScreenReader::WaitUntilShown(const std::vector<std::uint32_t>& expected, std::chrono::milliseconds within) const
{
    if (WaitUntil([&] { return Shown() == expected; }, within))
        return true;
    // Say how far off the screen is, for the failure's report.
    const std::vector<std::uint32_t> shown = Shown();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < shown.size() && i < expected.size(); ++i)
        differing += shown[i] != expected[i];
    std::fprintf(stderr, "the screen differs from the expected picture in %zu of %zu pixels\n", differing,
                 expected.size());
    return false;
}
