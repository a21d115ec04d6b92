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
    std::u16string result;
    if (!Win32Kernel::ToUtf16(codePage, text, result))
        Unavailable(codePage);
    return result;
}

std::string WideToMultiByte(std::uint32_t codePage, std::u16string_view text)
{
    CheckEightBit(codePage);
    // A surrogate without its partner is no character: '?' in every target, UTF-8 included.
    std::u16string clean(text);
    for (std::size_t i = 0; i < clean.size(); ++i) {
        if (IsHighSurrogate(clean[i]) && i + 1 < clean.size() && IsLowSurrogate(clean[i + 1])) {
            ++i;
            continue;
        }
        if (IsHighSurrogate(clean[i]) || IsLowSurrogate(clean[i]))
            clean[i] = u'?';
    }
    std::string result;
    if (!Win32Kernel::FromUtf16(codePage, clean, result))
        Unavailable(codePage);
    return result;
}
