#pragma once

#include "lang/Lang_CompTranslation.h"
#include "lang/Lang_Constants.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TByteReader;

// A whole translation text: header lines, component sections in order of first appearance
// and the constants of the $CONSTANTS section.
class TLang_CompTranslations {
public:
    TLang_CompTranslations();
    TLang_CompTranslations(const TLang_CompTranslations&) = delete;
    TLang_CompTranslations& operator=(const TLang_CompTranslations&) = delete;

    // Clears, then reads the text from the reader's position to its end. With `headerOnly`
    // reading ends at the first line that starts with "[". A failing line raises ELangError
    // "Loading translations failed.\r\nLine <index>: <reason>"; what was read before stays.
    void ReadText(TByteReader& stream, bool headerOnly);
    void ReadText(std::span<const std::uint8_t> bytes, bool headerOnly);
    void Clear();

    int SectionCount() const { return static_cast<int>(FSections.size()); }
    const TLang_CompTranslation& Sections(int index) const { return *FSections.at(static_cast<std::size_t>(index)); }
    // The first section of that name (ASCII letter case ignored), or nothing.
    const TLang_CompTranslation* FindSection(std::string_view name) const;

    const TLang_Constants& ConstantSection() const { return FConstantSection; }
    // "name=value" lines, values as written.
    const std::vector<std::u16string>& Header() const { return FHeader; }
    // The header value of that key, or nothing.
    std::optional<std::u16string_view> HeaderValue(std::u16string_view key) const;
    // The LANGID header value; 1033 when absent or not a number.
    std::uint16_t HeaderLangId() const;
    // The text was UTF-16 (either byte order).
    bool Unicode() const { return FUnicode; }

private:
    enum class TPart { Header, Constants, Component };

    // Handles one line; false when reading ends here.
    bool ReadLine(std::u16string_view line, bool headerOnly);
    void PutHeader(std::u16string_view key, std::u16string_view value);
    TLang_CompTranslation* FindSectionForWrite(std::string_view name);
    int HeaderIndex(std::u16string_view key) const;

    std::vector<std::unique_ptr<TLang_CompTranslation>> FSections;
    TLang_Constants FConstantSection;
    std::vector<std::u16string> FHeader;
    bool FUnicode = false;
    TPart FPart = TPart::Header;
    TLang_CompTranslation* FCurrent = nullptr;
};
