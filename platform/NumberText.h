#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Numbers written as text, read with std::from_chars: the whole text must be the number,
// with no blanks, no base prefix and no '+'; a '-' only for signed types. Nothing when the
// text is no such number or the value does not fit the type.
template <typename TNumber>
std::optional<TNumber> ParseNumber(std::string_view text, int base = 10)
{
    TNumber value{};
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The same for wide text; a character beyond ASCII is never a digit.
template <typename TNumber>
std::optional<TNumber> ParseNumber(std::u16string_view text, int base = 10)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    return ParseNumber<TNumber>(std::string_view(narrow), base);
}

// The value of a hexadecimal digit (0..9, a..f, A..F); -1 for any other character.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
