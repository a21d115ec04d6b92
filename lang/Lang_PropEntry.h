#pragma once

#include <cstdint>
#include <string>

// One translatable property of a component.
struct TLang_PropEntry {
    std::int32_t PropId = 0;    // unique within the whole entry tree
    std::string PropName;       // the property path relative to the component
    std::u16string BaseValue;   // the default-language value, captured when the form has loaded
    bool Live = false;          // met by the last modifying refresh
};
