#include "engine/PosterCache.h"

std::shared_ptr<const TBitmap> TPosterCache::Find(const std::string& key)
{
    for (auto it = FEntries.begin(); it != FEntries.end(); ++it) {
        if (it->Key == key) {
            FEntries.splice(FEntries.begin(), FEntries, it);
            return FEntries.front().Poster;
        }
    }
    return nullptr;
}

void TPosterCache::Add(const std::string& key, std::shared_ptr<const TBitmap> poster)
{
    if (!poster)
        return;
    for (auto it = FEntries.begin(); it != FEntries.end(); ++it) {
        if (it->Key == key) {
            FBytes -= it->Poster->ByteCount();
            FEntries.erase(it);
            break;
        }
    }
    const std::size_t size = poster->ByteCount();
    // What does not fit beside the posters kept is not kept: the slideshow cycles through
    // more posters than fit, and evicting the oldest would drop the one needed soonest.
    if (size > FCeiling - FBytes)
        return;
    FEntries.push_front(TEntry{key, std::move(poster)});
    FBytes += size;
}

void TPosterCache::Clear()
{
    FEntries.clear();
    FBytes = 0;
}
