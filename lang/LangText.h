#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text rules shared by the translation readers: trimming, identifiers and decimal numbers.

// Removes every leading and trailing character whose code is 32 or below.
std::string_view LangTrim(std::string_view text);
std::u16string_view LangTrim(std::u16string_view text);

// First character A..Z, a..z or _, the others also 0..9 (the form framework's rule for
// component names, defined in classes/Component.cpp).
bool IsValidIdent(std::string_view name);

// A decimal signed 32-bit number: an optional sign and at least one digit, nothing else.
// Nothing when the text is no such number or does not fit.
std::optional<std::int32_t> ParseDecimal(std::u16string_view text);

// Decimal text of a number, as a wide string.
std::u16string WideDecimal(std::int64_t value);

// 8-bit text in the system code page to wide and back (names and messages).
std::u16string WidenAnsi(std::string_view text);
std::string NarrowAnsi(std::u16string_view text);
