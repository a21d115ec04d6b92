#include "platform/x11/X11Text.h"

#include <cstdint>

#include "platform/x11/X11KeyMap.h"

std::string Utf8FromCp1252(std::string_view text)
{
    std::string out;
    for (unsigned char ch : text) {
        std::uint32_t cp = CodePointFromCp1252(ch);
        if (cp == 0)
            cp = '?';
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string Cp1252FromUtf8(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = lead;
        int extra = 0;
        if (lead >= 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else if (lead >= 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if (lead >= 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if (lead >= 0x80) {
            cp = 0xFFFD; // a stray continuation byte
        }
        ++i;
        for (; extra > 0 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80; --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (extra > 0)
            cp = 0xFFFD;
        const unsigned char ch = Cp1252FromCodePoint(cp);
        out += ch ? static_cast<char>(ch) : '?';
    }
    return out;
}

std::string Latin1FromCp1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80 && static_cast<unsigned char>(c) < 0xA0)
            c = '?';
    return out;
}
