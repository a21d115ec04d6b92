#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/QsvImgFree.h"
#include "gfx/Bitmap.h"

// A poster of the given size whose pixel (x, y) is colour(x, y), 24 bits a pixel as the
// decoder gives them.
inline TBitmap MakePoster(int width, int height, const std::function<std::uint32_t(int, int)>& colour)
{
    TBitmap poster(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            poster.SetPixel(x, y, colour(x, y));
    return poster;
}

// A poster of one colour.
inline TBitmap PlainPoster(int width, int height, std::uint32_t colour)
{
    return MakePoster(width, height, [colour](int, int) { return colour; });
}

// Makes the engine use poster in place of the resource of poster number index: a decoded
// poster that is kept is not decoded again.
inline void UsePoster(T_QsvImgFree& engine, int index, const TBitmap& poster)
{
    engine.Posters().Add(engine.ImageNames[index], std::make_shared<const TBitmap>(poster));
}

// A colour that tells poster i apart from every other.
inline std::uint32_t PosterColour(int index)
{
    return 0x00101010u * static_cast<std::uint32_t>(index) + 0x000003u;
}
