#pragma once

#include <string>
#include <string_view>

// Case folding and comparison of names: only the ASCII letters a..z and A..Z fold, every
// other character (bytes above 127 included) stands for itself in every locale.
char UpCaseAscii(char c);
char16_t UpCaseAscii(char16_t c);
char LowCaseAscii(char c);
std::string UpperCaseAscii(std::string_view text);
std::string LowerCaseAscii(std::string_view text);

bool SameText(std::string_view a, std::string_view b);
bool SameText(std::u16string_view a, std::u16string_view b);
bool StartsWithText(std::string_view text, std::string_view prefix);

// Negative, zero or positive, comparing the upper-cased bytes as unsigned; a shorter
// string that is a prefix of the longer sorts first.
int CompareText(std::string_view a, std::string_view b);

// CompareText as an ordering for sorted containers and searches.
struct TTextLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};
