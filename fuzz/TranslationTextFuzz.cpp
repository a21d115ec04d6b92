// Feeds arbitrary bytes to the translation-text reader, in full and header-only. Only the
// reader's own error may come out; anything else (another exception, a crash, a leak) is a fault.
#include "lang/LangError.h"
#include "lang/Lang_CompTranslations.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (bool headerOnly : {false, true}) {
        TLang_CompTranslations translations;
        try {
            translations.ReadText(bytes, headerOnly);
        } catch (const ELangError&) {
        }
        for (int i = 0; i < translations.SectionCount(); ++i) {
            const TLang_CompTranslation& section = translations.Sections(i);
            for (int j = 1; j < section.Count(); ++j)
                if (section.Items(j - 1).PropId >= section.Items(j).PropId) __builtin_trap();
        }
        (void)translations.HeaderLangId();
    }
    return 0;
}
