#include "lang/Lang_CompEntries.h"

#include "lang/Lang_CompEntry.h"

TLang_CompEntries::TLang_CompEntries(TLang_CompEntry& owner) : FOwner(owner) {}

TLang_CompEntries::~TLang_CompEntries() = default;

TLang_CompEntry& TLang_CompEntries::Add()
{
    FItems.push_back(std::make_unique<TLang_CompEntry>(&FOwner));
    return *FItems.back();
}

void TLang_CompEntries::Delete(int index)
{
    FItems.erase(FItems.begin() + index);
}

void TLang_CompEntries::Clear()
{
    FItems.clear();
}

int TLang_CompEntries::IndexOfBound(const TComponent* component) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->BoundComponent() == component)
            return static_cast<int>(i);
    return -1;
}

TLang_CompEntry* TLang_CompEntries::FindBound(const TComponent* component) const
{
    const int index = IndexOfBound(component);
    return index < 0 ? nullptr : FItems[static_cast<std::size_t>(index)].get();
}
