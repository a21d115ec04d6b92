#include "platform/Cp1252.h"

namespace {

// Code points of the bytes 0x80..0x9F of code page 1252 (0 where unassigned).
constexpr std::uint32_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

unsigned char Cp1252FromCodePoint(std::uint32_t codePoint)
{
    if (codePoint == 0 || codePoint == 0x7F)
        return 0;
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

std::uint32_t CodePointFromCp1252(unsigned char ch)
{
    if (ch >= 0x80 && ch < 0xA0)
        return Cp1252High[ch - 0x80];
    return ch;
}
