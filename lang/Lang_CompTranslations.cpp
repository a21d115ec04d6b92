#include "lang/Lang_CompTranslations.h"

#include "lang/ByteReader.h"
#include "lang/LangError.h"
#include "lang/LangEscapes.h"
#include "lang/LangText.h"
#include "lang/TranslationText.h"
#include "platform/AsciiText.h"

TLang_CompTranslations::TLang_CompTranslations() : FConstantSection([this] { return HeaderLangId(); }) {}

void TLang_CompTranslations::Clear()
{
    FSections.clear();
    FHeader.clear();
    FConstantSection.Clear();
    FUnicode = false;
    FPart = TPart::Header;
    FCurrent = nullptr;
}

const TLang_CompTranslation* TLang_CompTranslations::FindSection(std::string_view name) const
{
    for (const auto& section : FSections)
        if (SameText(section->Section(), name))
            return section.get();
    return nullptr;
}

TLang_CompTranslation* TLang_CompTranslations::FindSectionForWrite(std::string_view name)
{
    return const_cast<TLang_CompTranslation*>(FindSection(name));
}

int TLang_CompTranslations::HeaderIndex(std::u16string_view key) const
{
    for (std::size_t i = 0; i < FHeader.size(); ++i) {
        const std::u16string_view line = FHeader[i];
        if (SameText(line.substr(0, line.find(u'=')), key))
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::u16string_view> TLang_CompTranslations::HeaderValue(std::u16string_view key) const
{
    const int index = HeaderIndex(key);
    if (index < 0)
        return std::nullopt;
    const std::u16string_view line = FHeader[static_cast<std::size_t>(index)];
    return line.substr(line.find(u'=') + 1);
}

std::uint16_t TLang_CompTranslations::HeaderLangId() const
{
    const auto value = HeaderValue(u"LANGID");
    return value ? ParseLangId(*value, 1033) : 1033;
}

void TLang_CompTranslations::PutHeader(std::u16string_view key, std::u16string_view value)
{
    const int index = HeaderIndex(key);
    if (value.empty()) {
        if (index >= 0)
            FHeader.erase(FHeader.begin() + index);
        return;
    }
    std::u16string line = std::u16string(key) + u"=" + std::u16string(value);
    if (index >= 0)
        FHeader[static_cast<std::size_t>(index)] = std::move(line);
    else
        FHeader.push_back(std::move(line));
}

bool TLang_CompTranslations::ReadLine(std::u16string_view rawLine, bool headerOnly)
{
    const std::u16string_view line = LangTrim(rawLine);
    if (line.empty() || line[0] == u';')
        return true;
    if (line[0] == u'[') {
        if (headerOnly)
            return false;
        if (line.size() > 2 && line.back() == u']') {
            const std::u16string_view name = LangTrim(line.substr(1, line.size() - 2));
            if (SameText(name, u"$CONSTANTS")) {
                FPart = TPart::Constants;
                FCurrent = nullptr;
            } else {
                const std::string section = NarrowAnsi(name);
                FCurrent = FindSectionForWrite(section);
                if (FCurrent == nullptr) {
                    FSections.push_back(std::make_unique<TLang_CompTranslation>(section));
                    FCurrent = FSections.back().get();
                }
                FPart = TPart::Component;
            }
        }
        return true;
    }
    std::u16string_view key;
    std::u16string_view value;
    if (!SplitKeyValue(line, key, value))
        return true;
    switch (FPart) {
    case TPart::Header:
        PutHeader(key, value);
        break;
    case TPart::Constants:
        FConstantSection.AddConstant(NarrowAnsi(key), UnescapeText(value), 0);
        break;
    case TPart::Component: {
        const std::int32_t id = ParseDecimal(key).value_or(0);
        if (id > 0)
            FCurrent->PutValue(id, UnescapeText(value), 0);
        break;
    }
    }
    return true;
}

void TLang_CompTranslations::ReadText(std::span<const std::uint8_t> bytes, bool headerOnly)
{
    TByteReader reader(bytes);
    ReadText(reader, headerOnly);
}

void TLang_CompTranslations::ReadText(TByteReader& stream, bool headerOnly)
{
    Clear();
    bool unicode = false;
    const std::u16string text = DecodeTranslationText(stream.ReadRest(), unicode);
    FUnicode = unicode;
    const std::vector<std::u16string_view> lines = SplitTextLines(text);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        try {
            if (!ReadLine(lines[index], headerOnly))
                break;
        } catch (const std::exception& error) {
            throw ELangError("Loading translations failed.\r\nLine " + std::to_string(index) + ": " + error.what());
        }
    }
    FPart = TPart::Header;
    FCurrent = nullptr;
}
