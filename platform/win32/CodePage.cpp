#include "platform/CodePage.h"

#include "platform/Exception.h"
#include "platform/Utf.h"
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
    // UTF-8 is decoded by the platform's own codec rather than by the system, so that every
    // byte of a broken sequence becomes one U+FFFD on every platform and system version.
    if (codePage == CP_UTF8)
        return Utf8ToUtf16(text);
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
