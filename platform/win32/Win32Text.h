#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text for the wide (UTF-16) Win32 calls. Our strings are UTF-8; these convert at the
// boundary. Invalid UTF-8 becomes U+FFFD, a lone surrogate becomes U+FFFD in UTF-8.
std::wstring WidenUtf8(std::string_view text);
std::string NarrowToUtf8(std::wstring_view text);

// The system's own message for a Win32 error code, without its trailing line break.
std::string Win32ErrorText(std::uint32_t error);
