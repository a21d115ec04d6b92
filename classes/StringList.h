#pragma once

#include "classes/Strings.h"

#include <functional>

enum TDuplicates { dupIgnore, dupAccept, dupError };

// A list of 8-bit strings that may keep itself sorted (ASCII letter case ignored unless
// CaseSensitive) and drop or refuse duplicates while sorted. OnChange runs after each change.
class TStringList : public TStrings {
public:
    VELTRANE_CLASS_INFO

    TStringList() = default;
    explicit TStringList(bool sorted, TDuplicates duplicates = dupAccept);

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& value) override;
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& value) override;
    int IndexOf(std::string_view value) const override;

    // Binary search in a sorted list: true when found; index is the position found or to insert at.
    bool Find(std::string_view value, int& index) const;
    void Sort();

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive);

    std::function<void(TObject*)> OnChange;

protected:
    void Changed() override;

private:
    int Compare(std::string_view a, std::string_view b) const;
    void CheckIndex(int index, bool allowEnd) const;

    std::vector<std::string> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupAccept;
    bool FCaseSensitive = false;
};
