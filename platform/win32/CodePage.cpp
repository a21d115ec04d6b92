#include "platform/CodePage.h"

#include "platform/Exception.h"
#include "platform/win32/Win32Kernel.h"

#include <string>

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// UTF-16 is no 8-bit text; the system would refuse it with a less helpful error.
void CheckEightBit(std::uint32_t codePage)
{
    if (codePage == 1200 || codePage == 1201 || codePage == 12000 || codePage == 12001)
        throw EOSError("Code page " + std::to_string(codePage) + " is not an 8-bit code page");
}

constexpr char16_t ReplacementChar = u'\uFFFD';

// UTF-8 decoded here rather than by the system, so that every byte of a broken sequence
// becomes one U+FFFD on every platform and system version.
std::u16string DecodeUtf8(std::string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07, minimum = 0x10000;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        valid = valid && code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            result.push_back(ReplacementChar);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return result;
}

[[noreturn]] void Unavailable(std::uint32_t codePage)
{
    throw EOSError("Code page conversion for code page " + std::to_string(codePage) + " is not available");
}

}  // namespace

std::uint32_t GetACP()
{
    return Win32Kernel::AnsiCodePage();
}

std::u16string MultiByteToWide(std::uint32_t codePage, std::string_view text)
{
    CheckEightBit(codePage);
    if (codePage == CP_UTF8)
        return DecodeUtf8(text);
    std::u16string result;
    if (codePage == CP_UTF7) {
        // UTF-7 is 7-bit: each byte above 0x7F is one invalid character.
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = start;
            while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80)
                ++end;
            std::u16string part;
            if (!Win32Kernel::ToUtf16(codePage, text.substr(start, end - start), part))
                Unavailable(codePage);
            result += part;
            if (end == text.size())
                break;
            result.push_back(ReplacementChar);
            start = end + 1;
        }
        return result;
    }
    // A double-byte character cut off at the end is one invalid character.
    std::size_t whole = 0;
    while (whole < text.size())
        whole += Win32Kernel::LeadByte(codePage, static_cast<unsigned char>(text[whole])) ? 2 : 1;
    const bool cutOff = whole > text.size();
    if (!Win32Kernel::ToUtf16(codePage, cutOff ? text.substr(0, text.size() - 1) : text, result))
        Unavailable(codePage);
    if (cutOff)
        result.push_back(ReplacementChar);
    return result;
}

std::string WideToMultiByte(std::uint32_t codePage, std::u16string_view text)
{
    CheckEightBit(codePage);
    // A surrogate without its partner is no character: '?' in every target, UTF-8 included.
    // The 8-bit code pages hold nothing outside the basic plane: a pair becomes one '?'.
    const bool wholeUnicode = codePage == CP_UTF7 || codePage == CP_UTF8 || codePage == 54936;
    std::u16string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            if (wholeUnicode) {
                clean.push_back(text[i]);
                clean.push_back(text[i + 1]);
            } else {
                clean.push_back(u'?');
            }
            ++i;
            continue;
        }
        clean.push_back(IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]) ? u'?' : text[i]);
    }
    std::string result;
    if (!Win32Kernel::FromUtf16(codePage, clean, result))
        Unavailable(codePage);
    return result;
}
