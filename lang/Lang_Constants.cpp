#include "lang/Lang_Constants.h"

#include "lang/ByteReader.h"
#include "lang/LangError.h"
#include "lang/LangEscapes.h"
#include "lang/LangText.h"
#include "lang/ResourceModule.h"
#include "platform/CodePage.h"
#include "platform/AsciiText.h"

#include <algorithm>

namespace {

constexpr int CurrentStreamVersion = 2;

} // namespace

TLang_Constants::TLang_Constants(TLangIdSource langIdSource) : FLangIdSource(std::move(langIdSource)) {}

std::size_t TLang_Constants::LowerBound(std::string_view name) const
{
    const auto found = std::lower_bound(FItems.begin(), FItems.end(), name,
                                        [](const auto& item, std::string_view key) { return CompareText(item.Name, key) < 0; });
    return static_cast<std::size_t>(found - FItems.begin());
}

int TLang_Constants::IndexOf(std::string_view name) const
{
    const std::size_t position = LowerBound(name);
    if (position < FItems.size() && CompareText(FItems[position].Name, name) == 0)
        return static_cast<int>(position);
    return -1;
}

void TLang_Constants::AddConstant(std::string_view name, std::u16string text, TLang_ConstantFlags flags)
{
    if (!IsValidIdent(name))
        throw ELangError("Invalid constant name (\"" + std::string(name) + "\")");
    const std::size_t position = LowerBound(name);
    if (position < FItems.size() && CompareText(FItems[position].Name, name) == 0)
        throw ELangError("Duplicate constant name (\"" + std::string(name) + "\")");
    TLang_Constant constant{std::string(name), text, std::move(text), flags};
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(position), std::move(constant));
}

const TLang_Constant& TLang_Constants::FindConstant(std::string_view name) const
{
    const int index = IndexOf(name);
    if (index < 0)
        throw ELangError("Constant \"" + std::string(name) + "\" not found");
    return FItems[static_cast<std::size_t>(index)];
}

void TLang_Constants::ReadStream(TByteReader& reader)
{
    Clear();
    const int version = reader.ReadByte();
    if (version > CurrentStreamVersion)
        throw ELangError("Stream version (" + std::to_string(version) + ") is greater than the current one ("
            + std::to_string(CurrentStreamVersion) + ")");
    if (version == 2)
        FAutoSaveFlag = reader.ReadByte() != 0;
    else
        FAutoSaveFlag = version == 1;
    const std::int32_t count = reader.ReadInt32();
    std::uint32_t codePage = 0;
    if (version < 2) {
        codePage = AnsiCodePageOfLanguage(FLangIdSource ? FLangIdSource() : 1033);
        if (codePage == 0)
            codePage = GetACP();
    }
    // Every constant takes at least four bytes, so a count beyond the data ends in a read error.
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string name = reader.ReadBytes(reader.ReadUInt16());
        std::u16string text;
        if (version == 2)
            text = reader.ReadUtf16(reader.ReadUInt16());
        else
            text = MultiByteToWide(codePage, reader.ReadBytes(reader.ReadUInt16()));
        AddConstant(name, std::move(text), 0);
    }
}

bool TLang_Constants::LoadFromModule(const TResourceModule& module, std::string_view resName)
{
    const auto bytes = module.FindRawData(resName);
    if (!bytes)
        return false;
    TByteReader reader(*bytes);
    ReadStream(reader);
    return true;
}

void TLang_Constants::TakeTextsFrom(const TLang_Constants* other)
{
    for (TLang_Constant& constant : FItems) {
        if (other == nullptr) {
            constant.Text = constant.BaseText;
            continue;
        }
        const int index = other->IndexOf(constant.Name);
        if (index >= 0)
            constant.Text = other->Items(index).Text;
    }
}

void TLang_Constants::ExportSource(std::vector<std::u16string>& lines, TLang_ConstantFlags filter) const
{
    for (const TLang_Constant& constant : FItems) {
        if ((constant.Flags & filter) != 0)
            continue;
        lines.push_back(WidenAnsi(constant.Name) + u"=" + EscapeText(constant.Text));
    }
}
