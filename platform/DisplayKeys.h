#pragma once

#include <cstdint>

// Virtual key codes of key events (the Windows numbering, so the form framework and the
// widgets stay independent of the window system). Letters and digits are their upper-case
// ASCII codes ('A'..'Z', '0'..'9').
constexpr std::uint16_t vkBack = 0x08;
constexpr std::uint16_t vkTab = 0x09;
constexpr std::uint16_t vkReturn = 0x0D;
constexpr std::uint16_t vkShift = 0x10;
constexpr std::uint16_t vkControl = 0x11;
constexpr std::uint16_t vkMenu = 0x12; // Alt
constexpr std::uint16_t vkPause = 0x13;
constexpr std::uint16_t vkCapital = 0x14;
constexpr std::uint16_t vkEscape = 0x1B;
constexpr std::uint16_t vkSpace = 0x20;
constexpr std::uint16_t vkPrior = 0x21;
constexpr std::uint16_t vkNext = 0x22;
constexpr std::uint16_t vkEnd = 0x23;
constexpr std::uint16_t vkHome = 0x24;
constexpr std::uint16_t vkLeft = 0x25;
constexpr std::uint16_t vkUp = 0x26;
constexpr std::uint16_t vkRight = 0x27;
constexpr std::uint16_t vkDown = 0x28;
constexpr std::uint16_t vkSnapshot = 0x2C;
constexpr std::uint16_t vkInsert = 0x2D;
constexpr std::uint16_t vkDelete = 0x2E;
constexpr std::uint16_t vkLWin = 0x5B;
constexpr std::uint16_t vkRWin = 0x5C;
constexpr std::uint16_t vkApps = 0x5D;
constexpr std::uint16_t vkNumpad0 = 0x60; // .. vkNumpad0 + 9
constexpr std::uint16_t vkMultiply = 0x6A;
constexpr std::uint16_t vkAdd = 0x6B;
constexpr std::uint16_t vkSubtract = 0x6D;
constexpr std::uint16_t vkDecimal = 0x6E;
constexpr std::uint16_t vkDivide = 0x6F;
constexpr std::uint16_t vkF1 = 0x70; // .. vkF1 + 23 for F24
constexpr std::uint16_t vkNumLock = 0x90;
constexpr std::uint16_t vkScroll = 0x91;
constexpr std::uint16_t vkOemSemicolon = 0xBA;
constexpr std::uint16_t vkOemPlus = 0xBB;
constexpr std::uint16_t vkOemComma = 0xBC;
constexpr std::uint16_t vkOemMinus = 0xBD;
constexpr std::uint16_t vkOemPeriod = 0xBE;
constexpr std::uint16_t vkOemSlash = 0xBF;
constexpr std::uint16_t vkOemGrave = 0xC0;
constexpr std::uint16_t vkOemOpenBracket = 0xDB;
constexpr std::uint16_t vkOemBackslash = 0xDC;
constexpr std::uint16_t vkOemCloseBracket = 0xDD;
constexpr std::uint16_t vkOemQuote = 0xDE;
