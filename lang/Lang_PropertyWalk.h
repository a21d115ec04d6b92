#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TLang_CompTranslation;
class TLang_PropEntries;
class TObject;
struct TLang_RefreshOptions;

// The walks over the published properties of a component that capture translatable values
// and set translated ones. Considered are short, long and wide strings and object properties
// with getter and setter: string lists (their text), collections (each item, path "Items[i]")
// and other persistent sub-objects (path "Font"); components are not entered.

struct TLang_CaptureContext {
    std::string Prefix;                          // prepended to a path for the mask tests
    const TLang_RefreshOptions* Options = nullptr;
    bool Modify = false;
    std::int32_t* NextId = nullptr;
    std::unique_ptr<TLang_PropEntries>* Props = nullptr;  // created on the first new entry
};

void CaptureProperties(TObject& object, TLang_CaptureContext& context);

void TranslateProperties(TObject& object, const TLang_PropEntries& props, const TLang_CompTranslation* section,
                         std::uint32_t codePage);

// Whether a value holds a letter: A..Z, a..z or a character from U+00A1 up.
bool HasLetter(std::u16string_view value);
