#include "platform/Cp1252.h"

#include "platform/Utf.h"

namespace {

// The code points of the bytes 0x80..0x9F; every other byte is its own code point.
constexpr char16_t HighBytes[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char16_t Cp1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? HighBytes[byte - 0x80] : static_cast<char16_t>(byte);
}

std::optional<unsigned char> UnicodeToCp1252(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<unsigned char>(code);
    for (unsigned char i = 0; i < 32; ++i)
        if (HighBytes[i] == code)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::u16string Cp1252ToWide(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char c : text)
        out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string WideToCp1252(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const TUtfChar c = DecodeUtf16(text, i);
        const auto byte = c.Valid ? UnicodeToCp1252(c.Code) : std::nullopt;
        out.push_back(byte ? static_cast<char>(*byte) : '?');
        i += c.Length;
    }
    return out;
}
