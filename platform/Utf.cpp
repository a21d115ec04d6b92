#include "platform/Utf.h"

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Text decoded character by character and appended in another coding. Each invalid
// sequence becomes `replacement`, or, without one, ends the conversion with nothing.
template <typename TOut, typename TIn, typename TDecode, typename TAppend>
std::optional<TOut> Recode(TIn text, TDecode decode, TAppend append, std::optional<char32_t> replacement)
{
    TOut out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const TUtfChar c = decode(text, i);
        if (!c.Valid && !replacement)
            return std::nullopt;
        append(out, c.Valid ? c.Code : *replacement);
        i += c.Length;
    }
    return out;
}

} // namespace

TUtfChar DecodeUtf8(std::string_view text, std::size_t position)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    TUtfChar invalid{lead, 1, false};
    if (lead < 0x80)
        return {lead, 1, true};
    const std::size_t length = (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || text.size() - position < length)
        return invalid;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[position + k]);
        if ((next & 0xC0) != 0x80)
            return invalid;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code))
        return invalid;
    return {code, length, true};
}

TUtfChar DecodeUtf16(std::u16string_view text, std::size_t position)
{
    const char32_t unit = text[position];
    if (IsHighSurrogate(unit) && position + 1 < text.size() && IsLowSurrogate(text[position + 1]))
        return {0x10000 + ((unit - 0xD800) << 10) + (text[position + 1] - 0xDC00), 2, true};
    return {unit, 1, !IsHighSurrogate(unit) && !IsLowSurrogate(unit)};
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t code)
{
    if (code >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    return *Recode<std::u16string>(text, DecodeUtf8, AppendUtf16, ReplacementCharacter);
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    return *Recode<std::string>(text, DecodeUtf16, AppendUtf8, U'?');
}

std::optional<std::u16string> Utf8ToUtf16Exact(std::string_view text)
{
    return Recode<std::u16string>(text, DecodeUtf8, AppendUtf16, std::nullopt);
}

std::optional<std::string> Utf16ToUtf8Exact(std::u16string_view text)
{
    return Recode<std::string>(text, DecodeUtf16, AppendUtf8, std::nullopt);
}

std::u32string Utf16ToUtf32(std::u16string_view text)
{
    const auto append = [](std::u32string& out, char32_t code) { out.push_back(code); };
    return *Recode<std::u32string>(text, DecodeUtf16, append, ReplacementCharacter);
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8));
    }
    return out;
}
