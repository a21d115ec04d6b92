#pragma once

#include "lang/Lang_LangResource.h"

#include <cstdint>
#include <string>
#include <vector>

// The registered translation sources in registration order, at most one per language ID.
class TLang_LangResources {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError "List index out of bounds (%d)" for an index outside the list.
    const TLang_LangResource& Items(int index) const;
    // Replaces the module and name of the record of that language, keeping its place,
    // or appends a new record.
    void Put(const TResourceModule& module, std::u16string resName, std::uint16_t langId);
    // The record of that language, or nothing.
    const TLang_LangResource* FindLangId(std::uint16_t langId) const;

private:
    std::vector<TLang_LangResource> FItems;
};
