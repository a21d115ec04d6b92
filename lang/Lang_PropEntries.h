#pragma once

#include "lang/Lang_PropEntry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The translatable properties of one component, sorted by path (ASCII letter case ignored).
class TLang_PropEntries {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const TLang_PropEntry& Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
    bool Empty() const { return FItems.empty(); }
    void Clear() { FItems.clear(); }

    // An entry of that path takes the value and becomes live, keeping its ID; otherwise a new
    // live entry is inserted. True when it inserted.
    bool PutEntry(std::int32_t id, std::string_view path, std::u16string value);
    // The entry of that path, or nothing.
    const TLang_PropEntry* FindEntry(std::string_view path) const;
    TLang_PropEntry* FindEntry(std::string_view path);
    // The largest ID, 0 when empty.
    std::int32_t HighestId() const;
    void ClearLive();
    void DeleteDead();

private:
    std::size_t LowerBound(std::string_view path) const;

    std::vector<TLang_PropEntry> FItems;
};
