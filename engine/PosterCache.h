#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>

#include "gfx/Bitmap.h"

// Decoded posters kept between changes of poster, so that a poster is decoded again only
// when it did not fit. The pixels kept never exceed the ceiling. A poster that does not
// fit beside those already kept is not kept: the slideshow goes round all its posters in
// order, and with a least-recently-used eviction the poster dropped would always be the
// one needed next, so the posters kept first stay until Clear().
class TPosterCache {
public:
    // Room for the two largest posters (3008 x 2000 at 3 bytes a pixel, 18 MB each), or
    // for one of them and all the small ones (1200 x 798, 2.9 MB each).
    static constexpr std::size_t DefaultCeiling = 40u * 1024 * 1024;

    explicit TPosterCache(std::size_t ceilingBytes = DefaultCeiling) : FCeiling(ceilingBytes) {}

    // The poster decoded under key, or null when it is not kept.
    std::shared_ptr<const TBitmap> Find(const std::string& key);
    // Keeps a decoded poster when it fits below the ceiling; one kept under the same key
    // is replaced.
    void Add(const std::string& key, std::shared_ptr<const TBitmap> poster);
    void Clear();

    std::size_t Ceiling() const { return FCeiling; }
    std::size_t BytesHeld() const { return FBytes; }
    std::size_t Count() const { return FEntries.size(); }

private:
    struct TEntry {
        std::string Key;
        std::shared_ptr<const TBitmap> Poster;
    };

    std::size_t FCeiling;
    std::size_t FBytes = 0;
    std::list<TEntry> FEntries;
};
