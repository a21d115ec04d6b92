#pragma once

#include "lang/Lang_PropValueTranslation.h"

#include <cstdint>
#include <string>
#include <vector>

// One section of a translation text: the values of one form, sorted by ascending ID,
// no two with the same ID.
class TLang_CompTranslation {
public:
    explicit TLang_CompTranslation(std::string section) : FSection(std::move(section)) {}

    const std::string& Section() const { return FSection; }
    int Count() const { return static_cast<int>(FValues.size()); }
    const TLang_PropValueTranslation& Items(int index) const { return FValues.at(static_cast<std::size_t>(index)); }

    // Inserts in ID order; raises ELangError "Duplicate property value translation ID (%d)".
    void PutValue(std::int32_t id, std::u16string text, std::uint8_t flags);
    // The index of the value with this ID, or -1.
    int PositionOfId(std::int32_t id) const;
    // The value with this ID, or nothing.
    const TLang_PropValueTranslation* FindValue(std::int32_t id) const;

private:
    // The first index whose ID is not below `id`.
    std::size_t LowerBound(std::int32_t id) const;

    std::string FSection;
    std::vector<TLang_PropValueTranslation> FValues;
};
