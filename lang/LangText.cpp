#include "lang/LangText.h"

#include "platform/CodePage.h"
#include "platform/NumberText.h"

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

std::optional<std::int32_t> ParseDecimal(std::u16string_view text)
{
    // One sign at the most: a '+' is dropped, a '-' is read along with the digits.
    if (!text.empty() && text[0] == u'+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == u'-')
            return std::nullopt;
    }
    return ParseNumber<std::int32_t>(text);
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
