#include "platform/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, EnglishAndSpanishUseWindowsWestern)
{
    EXPECT_EQ(AnsiCodePageOfLanguage(1033), 1252u);
    EXPECT_EQ(AnsiCodePageOfLanguage(1034), 1252u);
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0C0A), 1252u);
    EXPECT_EQ(GetACP(), 1252u);
}

TEST(CodePage, Windows1252RoundTripsItsSpecialCharacters)
{
    const std::string text = "Espa\xF1ol \x80 \x93quoted\x94";
    const std::u16string wide = MultiByteToWide(1252, text);
    EXPECT_EQ(wide, u"Español € “quoted”");
    EXPECT_EQ(WideToMultiByte(1252, wide), text);
    EXPECT_EQ(WideToMultiByte(CP_ACP, u"ñ"), "\xF1");
}

TEST(CodePage, Utf8AndUtf7)
{
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "Espa\xC3\xB1ol \xE2\x82\xAC"), u"Español €");
    EXPECT_EQ(WideToMultiByte(CP_UTF8, u"Español"), "Espa\xC3\xB1ol");
    // RFC 2152's example: "Hi Mom -<WHITE SMILING FACE>-!"
    EXPECT_EQ(MultiByteToWide(CP_UTF7, "Hi Mom -+Jjo--!"), u"Hi Mom -\u263A-!");
    EXPECT_EQ(MultiByteToWide(CP_UTF7, WideToMultiByte(CP_UTF7, u"Año ☺")), u"Año ☺");
    // Characters outside the basic plane travel as surrogate pairs.
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(CodePage, InvalidInputIsReplacedNotFatal)
{
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "a\xFF" "b"), u"a\uFFFD" "b");
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "a\xE2\x82"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(WideToMultiByte(1252, u"a\u4E2Db"), "a?b");
    EXPECT_EQ(WideToMultiByte(CP_UTF8, std::u16string(1, char16_t(0xD800))), "?");
    EXPECT_TRUE(MultiByteToWide(1252, "").empty());
}
