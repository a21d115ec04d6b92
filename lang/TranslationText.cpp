#include "lang/TranslationText.h"

#include "lang/LangText.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"

namespace {

constexpr std::uint16_t DefaultLangId = 1033;

std::string_view AsChars(std::span<const std::uint8_t> bytes)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// UTF-16 code units from pairs of bytes; an odd last byte is ignored.
std::u16string FromUtf16(std::span<const std::uint8_t> bytes, bool bigEndian)
{
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t first = bytes[2 * i];
        const std::uint8_t second = bytes[2 * i + 1];
        text[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8));
    }
    return text;
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
    std::u16string text;
    unicode = StartsWith(bytes, {0xFF, 0xFE});
    if (unicode) {
        text = FromUtf16(bytes.subspan(2), false);
        EndAtNul(text);
        return text;
    }
    // A first decoding by byte-order mark only finds the language the text is written in.
    std::u16string first;
    if (StartsWith(bytes, {0xFE, 0xFF}))
        first = FromUtf16(bytes.subspan(2), true);
    else if (StartsWith(bytes, {0xEF, 0xBB, 0xBF}))
        first = MultiByteToWide(CP_UTF8, AsChars(bytes.subspan(3)));
    else
        first = MultiByteToWide(CP_ACP, AsChars(bytes));
    EndAtNul(first);
    const std::uint16_t langId = LangIdOfLines(SplitTextLines(first));
    first.clear();
    first.shrink_to_fit();
    // The text proper: every byte, a mark included, in that language's code page.
    text = MultiByteToWide(AnsiCodePageOf(langId), AsChars(bytes));
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
