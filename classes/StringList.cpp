#include "classes/StringList.h"

#include "classes/Errors.h"
#include "classes/Published.h"
#include "platform/AsciiText.h"

#include <algorithm>

const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info("TStringList", &TStrings::StaticClass(), {});
    return info;
}

TStringList::TStringList(bool sorted, TDuplicates duplicates) : FSorted(sorted), FDuplicates(duplicates) {}

void TStringList::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStringList::Compare(std::string_view a, std::string_view b) const {
    if (FCaseSensitive) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return CompareText(a, b);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, false);
    return FItems[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::string& value) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, false);
    FItems[static_cast<std::size_t>(index)] = value;
    Changed();
}

void TStringList::Insert(int index, const std::string& value) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, true);
    FItems.insert(FItems.begin() + index, value);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, false);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

int TStringList::Add(const std::string& value) {
    if (!FSorted) {
        FItems.push_back(value);
        Changed();
        return Count() - 1;
    }
    int index = 0;
    if (Find(value, index)) {
        if (FDuplicates == dupIgnore) return -1;
        if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
    }
    FItems.insert(FItems.begin() + index, value);
    Changed();
    return index;
}

int TStringList::IndexOf(std::string_view value) const {
    if (!FSorted) {
        for (int i = 0; i < Count(); ++i)
            if (Compare(FItems[static_cast<std::size_t>(i)], value) == 0) return i;
        return -1;
    }
    int index = 0;
    return Find(value, index) ? index : -1;
}

bool TStringList::Find(std::string_view value, int& index) const {
    int low = 0, high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = Compare(FItems[static_cast<std::size_t>(middle)], value);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != dupAccept) low = middle;  // the one equal entry
            }
        }
    }
    index = low;
    return found;
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(), [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    if (sorted) Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == FCaseSensitive) return;
    FCaseSensitive = caseSensitive;
    if (FSorted) Sort();
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}
