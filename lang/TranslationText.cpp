#include "lang/TranslationText.h"

#include "lang/LangError.h"
#include "lang/LangText.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/Utf.h"

namespace {

constexpr std::uint16_t DefaultLangId = 1033;
constexpr const char* LoadingFailed = "Loading translations failed.\r\n";

std::string_view AsChars(std::span<const std::uint8_t> bytes)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void EndAtNul(std::u16string& text)
{
    const std::size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos)
        text.resize(nul);
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark)
{
    if (bytes.size() < mark.size())
        return false;
    std::size_t i = 0;
    for (std::uint8_t b : mark)
        if (bytes[i++] != b)
            return false;
    return true;
}

} // namespace

std::uint32_t AnsiCodePageOf(std::uint16_t langId)
{
    const std::uint32_t codePage = AnsiCodePageOfLanguage(langId);
    return codePage != 0 ? codePage : GetACP();
}

std::uint16_t ParseLangId(std::u16string_view text, std::uint16_t fallback)
{
    const auto value = ParseDecimal(text);
    if (!value || *value < 0 || *value > 0xFFFF)
        return fallback;
    return static_cast<std::uint16_t>(*value);
}

std::u16string DecodeTranslationText(std::span<const std::uint8_t> bytes, bool& unicode)
{
    // UTF-32 starts like UTF-16LE (FF FE) or with a NUL: refused rather than read as nothing.
    if (StartsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}) || StartsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        throw ELangError(std::string(LoadingFailed) + "UTF-32 text cannot be read; save it as UTF-16 or UTF-8");
    std::u16string text;
    unicode = StartsWith(bytes, {0xFF, 0xFE}) || StartsWith(bytes, {0xFE, 0xFF});
    if (unicode) {
        text = Utf16FromBytes(AsChars(bytes.subspan(2)), bytes[0] == 0xFE);
    } else if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        std::string_view utf8 = AsChars(bytes.subspan(3));
        utf8 = utf8.substr(0, utf8.find('\0'));
        auto decoded = Utf8ToUtf16Exact(utf8);
        if (!decoded)
            throw ELangError(std::string(LoadingFailed) + "The text is marked as UTF-8 but is not UTF-8 text");
        text = std::move(*decoded);
    } else {
        // 8-bit text: a first reading in the system's code page finds the language the
        // text names, whose code page then reads it.
        std::u16string first = MultiByteToWide(CP_ACP, AsChars(bytes));
        EndAtNul(first);
        const std::uint16_t langId = LangIdOfLines(SplitTextLines(first));
        first.clear();
        first.shrink_to_fit();
        text = MultiByteToWide(AnsiCodePageOf(langId), AsChars(bytes));
    }
    EndAtNul(text);
    return text;
}

std::vector<std::u16string_view> SplitTextLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

bool SplitKeyValue(std::u16string_view line, std::u16string_view& key, std::u16string_view& value)
{
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos)
        return false;
    key = LangTrim(line.substr(0, equals));
    value = LangTrim(line.substr(equals + 1));
    return !key.empty();
}

std::uint16_t LangIdOfLines(const std::vector<std::u16string_view>& lines)
{
    for (std::u16string_view line : lines) {
        std::u16string_view key;
        std::u16string_view value;
        if (SplitKeyValue(LangTrim(line), key, value) && SameText(key, u"LANGID"))
            return ParseLangId(value, DefaultLangId);
    }
    return DefaultLangId;
}
