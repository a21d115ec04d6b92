#include "lang/LangText.h"

#include "platform/CodePage.h"

namespace {

template <typename Char>
std::basic_string_view<Char> TrimView(std::basic_string_view<Char> text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<std::uint32_t>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<std::uint32_t>(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}

char16_t FoldWide(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

} // namespace

std::string_view LangTrim(std::string_view text)
{
    // Compare as unsigned bytes so that characters above 127 are never trimmed.
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}

std::u16string_view LangTrim(std::u16string_view text)
{
    return TrimView(text);
}

bool SameWideText(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldWide(a[i]) != FoldWide(b[i]))
            return false;
    return true;
}

std::optional<std::int32_t> ParseDecimal(std::u16string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        value = value * 10 + (text[i] - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::u16string WideDecimal(std::int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string WidenAnsi(std::string_view text)
{
    return MultiByteToWide(CP_ACP, text);
}

std::string NarrowAnsi(std::u16string_view text)
{
    return WideToMultiByte(CP_ACP, text);
}
