#pragma once

#include <cstdint>
#include <string>

// State flags of a constant; no constant created in this system carries any.
using TLang_ConstantFlags = std::uint8_t;

// One named message constant.
struct TLang_Constant {
    std::string Name;          // a valid identifier
    std::u16string Text;       // the current text
    std::u16string BaseText;   // the text it was created with
    TLang_ConstantFlags Flags = 0;
};
