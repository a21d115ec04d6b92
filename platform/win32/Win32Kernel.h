#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Kernel calls whose Win32 names clash with the platform layer's own (GetTickCount,
// GetACP, GetSystemDirectory, ...): windows.h and platform/Kernel.h or CodePage.h cannot
// share a translation unit, so the win32 implementations reach the system through these.
namespace Win32Kernel {

std::uint32_t TickCount();
void Pause(std::uint32_t milliseconds);
// The system folder and the running module's path, in UTF-8; empty when unknown.
std::string SystemFolder();
std::string ModulePath();
// An environment variable in UTF-8; empty when unset.
std::string Environment(std::string_view name);

std::uint32_t AnsiCodePage();
// Whether the system can convert text in the code page.
bool ValidCodePage(std::uint32_t codePage);
// Whether the byte starts a two-byte character in the (double-byte) code page.
bool LeadByte(std::uint32_t codePage, unsigned char byte);
// MultiByteToWideChar and WideCharToMultiByte over a whole text; false when the system
// refuses the conversion (an unknown or non 8-bit code page).
bool ToUtf16(std::uint32_t codePage, std::string_view text, std::u16string& result);
bool FromUtf16(std::uint32_t codePage, std::u16string_view text, std::string& result);

}  // namespace Win32Kernel
