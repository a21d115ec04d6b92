#include "platform/win32/Win32Kernel.h"

#include "platform/win32/Win32Text.h"

#include <vector>

#include <windows.h>

namespace Win32Kernel {

std::uint32_t TickCount()
{
    return ::GetTickCount();
}

void Pause(std::uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}

std::string SystemFolder()
{
    wchar_t buffer[MAX_PATH + 1];
    const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return {};
    return NarrowToUtf8(std::wstring_view(buffer, length));
}

std::string ModulePath()
{
    // GetModuleFileNameW truncates silently: grow the buffer until the path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return NarrowToUtf8(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string Environment(std::string_view name)
{
    const std::wstring wideName = WidenUtf8(name);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (length == 0 || length >= size)
        return {};
    value.resize(length);
    return NarrowToUtf8(value);
}

std::uint32_t AnsiCodePage()
{
    return ::GetACP();
}

bool ValidCodePage(std::uint32_t codePage)
{
    return ::IsValidCodePage(codePage) != FALSE;
}

bool LeadByte(std::uint32_t codePage, unsigned char byte)
{
    return ::IsDBCSLeadByteEx(codePage, byte) != FALSE;
}

namespace {

// UTF-7 and UTF-8 take no flags and no default character.
bool IsUnicodeForm(std::uint32_t codePage)
{
    return codePage == CP_UTF7 || codePage == CP_UTF8;
}

}  // namespace

bool ToUtf16(std::uint32_t codePage, std::string_view text, std::u16string& result)
{
    result.clear();
    if (text.empty())
        return ValidCodePage(codePage) || codePage == CP_ACP;
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    result.assign(wide.begin(), wide.end());
    return true;
}

bool FromUtf16(std::uint32_t codePage, std::u16string_view text, std::string& result)
{
    result.clear();
    if (text.empty())
        return ValidCodePage(codePage) || codePage == CP_ACP;
    const std::wstring wide(text.begin(), text.end());
    const int size = static_cast<int>(wide.size());
    const bool unicode = IsUnicodeForm(codePage);
    // No "best fit": a character the code page lacks becomes '?', never a look-alike.
    const DWORD flags = unicode ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = unicode ? nullptr : "?";
    const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, defaultChar, nullptr);
    if (length <= 0)
        return false;
    result.assign(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, result.data(), length, defaultChar, nullptr);
    return true;
}

}  // namespace Win32Kernel
