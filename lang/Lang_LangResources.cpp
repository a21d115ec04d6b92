#include "lang/Lang_LangResources.h"

#include "platform/Exception.h"

const TLang_LangResource& TLang_LangResources::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

const TLang_LangResource* TLang_LangResources::FindLangId(std::uint16_t langId) const
{
    for (const TLang_LangResource& item : FItems)
        if (item.LangId == langId)
            return &item;
    return nullptr;
}

void TLang_LangResources::Put(const TResourceModule& module, std::u16string resName, std::uint16_t langId)
{
    for (TLang_LangResource& item : FItems) {
        if (item.LangId == langId) {
            item.Module = &module;
            item.ResName = std::move(resName);
            return;
        }
    }
    FItems.push_back(TLang_LangResource{&module, std::move(resName), langId});
}
