#pragma once

#include <string>
#include <string_view>

// Name comparisons fold the ASCII letters only.
char UpCaseAscii(char c);
std::string UpperCaseAscii(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive; a shorter string that is a prefix of the longer sorts first.
int CompareText(std::string_view a, std::string_view b);
