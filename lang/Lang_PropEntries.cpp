#include "lang/Lang_PropEntries.h"

#include "platform/AsciiText.h"

#include <algorithm>

std::size_t TLang_PropEntries::LowerBound(std::string_view path) const
{
    const auto found = std::lower_bound(FItems.begin(), FItems.end(), path,
                                        [](const auto& item, std::string_view key) { return CompareText(item.PropName, key) < 0; });
    return static_cast<std::size_t>(found - FItems.begin());
}

bool TLang_PropEntries::PutEntry(std::int32_t id, std::string_view path, std::u16string value)
{
    const std::size_t position = LowerBound(path);
    if (position < FItems.size() && CompareText(FItems[position].PropName, path) == 0) {
        FItems[position].BaseValue = std::move(value);
        FItems[position].Live = true;
        return false;
    }
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(position),
        TLang_PropEntry{id, std::string(path), std::move(value), true});
    return true;
}

const TLang_PropEntry* TLang_PropEntries::FindEntry(std::string_view path) const
{
    const std::size_t position = LowerBound(path);
    if (position < FItems.size() && CompareText(FItems[position].PropName, path) == 0)
        return &FItems[position];
    return nullptr;
}

TLang_PropEntry* TLang_PropEntries::FindEntry(std::string_view path)
{
    return const_cast<TLang_PropEntry*>(static_cast<const TLang_PropEntries*>(this)->FindEntry(path));
}

std::int32_t TLang_PropEntries::HighestId() const
{
    std::int32_t highest = 0;
    for (const TLang_PropEntry& entry : FItems)
        highest = std::max(highest, entry.PropId);
    return highest;
}

void TLang_PropEntries::ClearLive()
{
    for (TLang_PropEntry& entry : FItems)
        entry.Live = false;
}

void TLang_PropEntries::DeleteDead()
{
    std::erase_if(FItems, [](const TLang_PropEntry& entry) { return !entry.Live; });
}
