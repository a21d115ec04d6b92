#pragma once

#include <memory>
#include <vector>

class TComponent;
class TLang_CompEntry;

// The child entries of one entry, owned, in the order they were read or created.
class TLang_CompEntries {
public:
    explicit TLang_CompEntries(TLang_CompEntry& owner);
    ~TLang_CompEntries();
    TLang_CompEntries(const TLang_CompEntries&) = delete;
    TLang_CompEntries& operator=(const TLang_CompEntries&) = delete;

    // The entry these entries belong to (the parent of each of them).
    TLang_CompEntry& Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    TLang_CompEntry& Items(int index) const { return *FItems.at(static_cast<std::size_t>(index)); }

    // Appends a new entry whose parent is the owner.
    TLang_CompEntry& Add();
    void Delete(int index);
    void Clear();
    // The index of the entry bound to that component, or -1.
    int IndexOfBound(const TComponent* component) const;
    TLang_CompEntry* FindBound(const TComponent* component) const;

private:
    TLang_CompEntry& FOwner;
    std::vector<std::unique_ptr<TLang_CompEntry>> FItems;
};
