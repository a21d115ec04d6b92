#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>

#include "gfx/Bitmap.h"

// Decoded posters kept between changes of poster, the most recently used first, so that
// a change decodes at most the one poster it has not seen lately. The pixels kept never
// exceed the ceiling; a poster larger than the ceiling on its own is not kept at all.
class TPosterCache {
public:
    // Room for the two largest posters (3008 x 2000 at 3 bytes a pixel, 18 MB each).
    static constexpr std::size_t DefaultCeiling = 40u * 1024 * 1024;

    explicit TPosterCache(std::size_t ceilingBytes = DefaultCeiling) : FCeiling(ceilingBytes) {}

    // The poster decoded under key, or null when it is not kept.
    std::shared_ptr<const TBitmap> Find(const std::string& key);
    // Keeps a decoded poster, dropping the least recently used ones to stay below the ceiling.
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
