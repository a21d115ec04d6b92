#pragma once

#include <string>
#include <string_view>

// Text of this program (code page 1252) as X11 properties carry it, and back.
std::string Utf8FromCp1252(std::string_view text);
std::string Cp1252FromUtf8(std::string_view text);
// Latin-1 (STRING properties): the bytes 0x80 to 0x9F, which Latin-1 lacks, become '?'.
std::string Latin1FromCp1252(std::string_view text);
