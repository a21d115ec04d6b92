#pragma once

#include <cstdint>
#include <string>

// One translated property value of a section.
struct TLang_PropValueTranslation {
    std::int32_t PropId = 0;   // greater than 0
    std::u16string Text;       // escapes already decoded
    std::uint8_t Flags = 0;    // 0 for every value read from a text
};
