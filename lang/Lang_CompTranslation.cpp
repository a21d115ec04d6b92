#include "lang/Lang_CompTranslation.h"

#include "lang/LangError.h"

#include <algorithm>

std::size_t TLang_CompTranslation::LowerBound(std::int32_t id) const
{
    const auto found = std::lower_bound(FValues.begin(), FValues.end(), id,
                                        [](const auto& value, std::int32_t key) { return value.PropId < key; });
    return static_cast<std::size_t>(found - FValues.begin());
}

void TLang_CompTranslation::PutValue(std::int32_t id, std::u16string text, std::uint8_t flags)
{
    const std::size_t position = LowerBound(id);
    if (position < FValues.size() && FValues[position].PropId == id)
        throw ELangError("Duplicate property value translation ID (" + std::to_string(id) + ")");
    FValues.insert(FValues.begin() + static_cast<std::ptrdiff_t>(position), TLang_PropValueTranslation{id, std::move(text), flags});
}

int TLang_CompTranslation::PositionOfId(std::int32_t id) const
{
    const std::size_t position = LowerBound(id);
    if (position < FValues.size() && FValues[position].PropId == id)
        return static_cast<int>(position);
    return -1;
}

const TLang_PropValueTranslation* TLang_CompTranslation::FindValue(std::int32_t id) const
{
    const int position = PositionOfId(id);
    return position < 0 ? nullptr : &FValues[static_cast<std::size_t>(position)];
}
