#pragma once

#include <string>
#include <string_view>

// Escapes of translation values and language-source lines:
// \\ backslash, \n CR LF, \t TAB, \dd the character of decimal code dd.

// Decodes the escapes; a backslash that starts none of them stays as written.
std::u16string UnescapeText(std::u16string_view text);

// Writes TAB, line ends (CR, LF, CR LF or LF CR as one \n), backslashes and other
// control characters as escapes; everything else as it is.
std::u16string EscapeText(std::u16string_view text);
