#include "platform/x11/X11Text.h"

#include "platform/Cp1252.h"
#include "platform/Utf.h"

std::string Utf8FromCp1252(std::string_view text)
{
    return Utf16ToUtf8(Cp1252ToWide(text));
}

std::string Cp1252FromUtf8(std::string_view text)
{
    return WideToCp1252(Utf8ToUtf16(text));
}

std::string Latin1FromCp1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80 && static_cast<unsigned char>(c) < 0xA0)
            c = '?';
    return out;
}
