#pragma once

#include <cstdint>
#include <string>

class TResourceModule;

// One registered translation source: the raw-data resource of a module that translates
// the program into one language.
struct TLang_LangResource {
    const TResourceModule* Module = nullptr;  // not owned
    std::u16string ResName;
    std::uint16_t LangId = 0;
};
