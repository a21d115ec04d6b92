#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Code pages and text conversions (the platform's MultiByteToWideChar family).
// Wide strings are UTF-16 in std::u16string.
constexpr std::uint32_t CP_ACP = 0;      // the system's ANSI code page
constexpr std::uint32_t CP_UTF7 = 65000;
constexpr std::uint32_t CP_UTF8 = 65001;

// The ANSI code page of a language ID (LOCALE_IDEFAULTANSICODEPAGE); 0 when unknown.
std::uint32_t AnsiCodePageOfLanguage(std::uint16_t langId);

// The system's ANSI code page (GetACP): 1252 here.
std::uint32_t GetACP();

// 8-bit text in a code page (CP_ACP, a Windows code page, CP_UTF7 or CP_UTF8) to UTF-16.
// Bytes that do not convert become U+FFFD, never an error.
std::u16string MultiByteToWide(std::uint32_t codePage, std::string_view text);

// UTF-16 to 8-bit text in a code page; characters without a mapping become '?'.
std::string WideToMultiByte(std::uint32_t codePage, std::u16string_view text);
