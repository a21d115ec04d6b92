#pragma once

#include "lang/ITranslationSource.h"
#include "lang/Lang_Constant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TByteReader;
class TResourceModule;

// The language ID whose ANSI code page decodes 8-bit constant texts.
using TLangIdSource = std::function<std::uint16_t()>;

// A list of named constants, sorted by name without regard to ASCII letter case.
class TLang_Constants : public ITranslationSource {
public:
    explicit TLang_Constants(TLangIdSource langIdSource);

    int Count() const { return static_cast<int>(FItems.size()); }
    const TLang_Constant& Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
    bool AutoSaveFlag() const { return FAutoSaveFlag; }
    void Clear() { FItems.clear(); }

    // Raises ELangError "Invalid constant name ("%s")" or "Duplicate constant name ("%s")".
    void AddConstant(std::string_view name, std::u16string text, TLang_ConstantFlags flags);
    // Raises ELangError "Constant "%s" not found".
    const TLang_Constant& FindConstant(std::string_view name) const;
    // The index of the constant of that name, or -1.
    int IndexOf(std::string_view name) const;

    // Empties the list, then reads a constants stream (versions 0 to 2) from the reader's position.
    void ReadStream(TByteReader& reader);
    // Reads the raw-data resource of that name when the module has one; false (and no change) otherwise.
    bool LoadFromModule(const TResourceModule& module, std::string_view resName);
    // Without `other` every text returns to its base text; with `other` every constant that
    // `other` names takes its text and the others keep theirs.
    void TakeTextsFrom(const TLang_Constants* other);
    // One "name=escaped text" line per constant whose flags share none with `filter`.
    void ExportSource(std::vector<std::u16string>& lines, TLang_ConstantFlags filter) const;

    bool PrepareSource() override { return true; }
    void WriteSource(std::vector<std::u16string>& lines, std::uint8_t filter) override { ExportSource(lines, filter); }
    std::u16string SourceSection() const override { return u"$CONSTANTS"; }

private:
    // The first index whose name does not sort before `name`.
    std::size_t LowerBound(std::string_view name) const;

    TLangIdSource FLangIdSource;
    bool FAutoSaveFlag = true;
    std::vector<TLang_Constant> FItems;
};
