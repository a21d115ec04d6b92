#include "platform/CodePage.h"

std::uint32_t AnsiCodePageOfLanguage(std::uint16_t langId)
{
    const unsigned primary = langId & 0x3FF;
    const unsigned sub = langId >> 10;
    switch (primary) {
    case 0x03: case 0x06: case 0x07: case 0x09: case 0x0A: case 0x0B: case 0x0C: case 0x0F:
    case 0x10: case 0x13: case 0x14: case 0x16: case 0x1D: case 0x21: case 0x2D: case 0x36:
    case 0x38: case 0x3E: case 0x41: case 0x56:
        return 1252;  // Western European languages, English and Spanish among them
    case 0x05: case 0x0E: case 0x15: case 0x18: case 0x1B: case 0x1C: case 0x24:
        return 1250;  // Central European
    case 0x02: case 0x19: case 0x22: case 0x23: case 0x2F:
        return 1251;  // Cyrillic
    case 0x08:
        return 1253;
    case 0x1F:
        return 1254;
    case 0x0D:
        return 1255;
    case 0x01: case 0x20: case 0x29:
        return 1256;
    case 0x25: case 0x26: case 0x27:
        return 1257;
    case 0x2A:
        return 1258;
    case 0x1E:
        return 874;
    case 0x11:
        return 932;
    case 0x12:
        return 949;
    case 0x04:
        return (sub == 0x02 || sub == 0x04) ? 936 : 950;  // PRC and Singapore: simplified
    default:
        return 0;
    }
}
