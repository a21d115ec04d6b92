#include "platform/CodePage.h"
#include "platform/Cp1252.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <string>

// ---- Code page of a language ----------------------------------------------------------

TEST(CodePage, EnglishAndSpanishUseWindowsWestern)
{
    EXPECT_EQ(AnsiCodePageOfLanguage(1033), 1252u);
    EXPECT_EQ(AnsiCodePageOfLanguage(1034), 1252u);
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0C0A), 1252u);  // Spanish, modern sort
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0809), 1252u);  // English, United Kingdom
    EXPECT_EQ(AnsiCodePageOfLanguage(0x080A), 1252u);  // Spanish, Mexico
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0009), 1252u);  // English, no sublanguage
    EXPECT_EQ(GetACP(), 1252u);
}

TEST(CodePage, OtherScriptsGetTheirOwnCodePage)
{
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0419), 1251u);  // Russian
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0415), 1250u);  // Polish
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0408), 1253u);  // Greek
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0411), 932u);   // Japanese
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0804), 936u);   // Chinese, PRC
    EXPECT_EQ(AnsiCodePageOfLanguage(0x0404), 950u);   // Chinese, Taiwan
}

TEST(CodePage, UnknownLanguagesGiveZero)
{
    EXPECT_EQ(AnsiCodePageOfLanguage(0), 0u);
    EXPECT_EQ(AnsiCodePageOfLanguage(0x03FF), 0u);
    EXPECT_EQ(AnsiCodePageOfLanguage(0x7F), 0u);  // invariant
}

// ---- Windows-1252 ---------------------------------------------------------------------

TEST(CodePage, Cp1252TableMatchesWindows)
{
    // Known code points, the five bytes Windows leaves unassigned among them.
    const std::pair<unsigned char, char16_t> known[] = {
        {0x41, u'A'},    {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F},
        {0x90, 0x0090}, {0x93, 0x201C}, {0x99, 0x2122}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xE9, 0x00E9}};
    for (const auto& [byte, code] : known) {
        EXPECT_EQ(Cp1252ToUnicode(byte), code) << int(byte);
        EXPECT_EQ(UnicodeToCp1252(code), byte) << int(byte);
    }
    EXPECT_EQ(UnicodeToCp1252(0x0080), std::nullopt);  // the byte 0x80 is the euro sign
    EXPECT_EQ(UnicodeToCp1252(0x0100), std::nullopt);
    EXPECT_EQ(WideToCp1252(u"\U0001F600\xD800x"), "??x");
}

TEST(CodePage, Windows1252RoundTripsItsSpecialCharacters)
{
    const std::string text = "Espa\xF1ol \x80 \x93quoted\x94";
    const std::u16string wide = MultiByteToWide(1252, text);
    EXPECT_EQ(wide, u"Español € “quoted”");
    EXPECT_EQ(WideToMultiByte(1252, wide), text);
    EXPECT_EQ(WideToMultiByte(CP_ACP, u"ñ"), "\xF1");
}

TEST(CodePage, EuroSignIsByte0x80BothWays)
{
    EXPECT_EQ(MultiByteToWide(1252, "\x80"), u"\u20AC");
    EXPECT_EQ(WideToMultiByte(1252, u"\u20AC"), "\x80");
    EXPECT_EQ(MultiByteToWide(CP_ACP, "\x80"), u"\u20AC");
}

TEST(CodePage, EveryByteOf1252SurvivesARoundTrip)
{
    // The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls
    // of the same number, as the platform's conversion does, so nothing is lost.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string wide = MultiByteToWide(1252, all);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(wide[0x81 - 1], u'\u0081');
    EXPECT_EQ(wide[0x9D - 1], u'\u009D');
    EXPECT_EQ(wide[0x9F - 1], u'\u0178');  // Ÿ
    EXPECT_EQ(wide[0xFF - 1], u'\u00FF');
    EXPECT_EQ(wide.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_EQ(WideToMultiByte(1252, wide), all);
}

TEST(CodePage, C1ControlsThat1252AssignsElsewhereBecomeQuestionMarks)
{
    // 0x80 is the euro sign in 1252, so U+0080 has no byte of its own.
    EXPECT_EQ(WideToMultiByte(1252, u"\u0080"), "?");
    EXPECT_EQ(WideToMultiByte(1252, u"\u0081"), "\x81");
}

TEST(CodePage, EmbeddedNulBytesAreKept)
{
    const std::string text("a\0b", 3);
    const std::u16string wide = MultiByteToWide(1252, text);
    EXPECT_EQ(wide, std::u16string(u"a\0b", 3));
    EXPECT_EQ(WideToMultiByte(1252, wide), text);
}

TEST(CodePage, LongTextConvertsWhole)
{
    // More than one internal buffer's worth, with a multi-byte result.
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "\xF1\x80";
    const std::u16string wide = MultiByteToWide(1252, text);
    ASSERT_EQ(wide.size(), 20000u);
    EXPECT_EQ(wide.substr(19998), u"ñ€");
    const std::string utf8 = WideToMultiByte(CP_UTF8, wide);
    EXPECT_EQ(utf8.size(), 10000u * (2 + 3));
    EXPECT_EQ(WideToMultiByte(1252, MultiByteToWide(CP_UTF8, utf8)), text);
}

// ---- UTF-8 and UTF-7 ------------------------------------------------------------------

TEST(CodePage, Utf8AndUtf7)
{
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "Espa\xC3\xB1ol \xE2\x82\xAC"), u"Español €");
    EXPECT_EQ(WideToMultiByte(CP_UTF8, u"Español"), "Espa\xC3\xB1ol");
    // "Hi Mom -<WHITE SMILING FACE>-!"
    EXPECT_EQ(MultiByteToWide(CP_UTF7, "Hi Mom -+Jjo--!"), u"Hi Mom -\u263A-!");
    EXPECT_EQ(MultiByteToWide(CP_UTF7, WideToMultiByte(CP_UTF7, u"Año ☺")), u"Año ☺");
    // Characters outside the basic plane travel as surrogate pairs.
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(WideToMultiByte(CP_UTF8, u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(CodePage, Utf7Examples)
{
    // A plus sign is written "+-"; base64 runs hold UTF-16 code units.
    EXPECT_EQ(MultiByteToWide(CP_UTF7, "1 +- 1 = 2"), u"1 + 1 = 2");
    EXPECT_EQ(MultiByteToWide(CP_UTF7, "+ZeVnLIqe-"), u"\u65E5\u672C\u8A9E");
    EXPECT_EQ(MultiByteToWide(CP_UTF7, "A+ImIDkQ."), u"A\u2262\u0391.");
    EXPECT_EQ(WideToMultiByte(CP_UTF7, u"\u20AC"), "+IKw-");
    EXPECT_EQ(WideToMultiByte(CP_UTF7, u"Hi"), "Hi");
}

TEST(CodePage, Utf7EncodingClosesItsLastBase64Run)
{
    // Text ending inside a base64 run must still decode to the same characters.
    const std::u16string text = u"Espa\u00F1ol \u263A";
    const std::string encoded = WideToMultiByte(CP_UTF7, text);
    EXPECT_EQ(MultiByteToWide(CP_UTF7, encoded), text);
    EXPECT_EQ(MultiByteToWide(CP_UTF7, encoded + "x"), text + u"x");
}

// ---- Invalid input --------------------------------------------------------------------

TEST(CodePage, InvalidInputIsReplacedNotFatal)
{
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "a\xFF" "b"), u"a\uFFFD" "b");
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "a\xE2\x82"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(WideToMultiByte(1252, u"a\u4E2Db"), "a?b");
    EXPECT_EQ(WideToMultiByte(CP_UTF8, std::u16string(1, char16_t(0xD800))), "?");
    EXPECT_TRUE(MultiByteToWide(1252, "").empty());
    EXPECT_TRUE(WideToMultiByte(1252, u"").empty());
}

TEST(CodePage, InvalidUtf8InTheMiddleDoesNotLoseTheRest)
{
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "\xC3(ok\xC3\xB1"), u"\uFFFD(okñ");
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "\xED\xA0\x80z"), u"\uFFFD\uFFFD\uFFFDz");  // encoded surrogate
    EXPECT_EQ(MultiByteToWide(CP_UTF8, "\xC0\xAF"), u"\uFFFD\uFFFD");             // overlong '/'
}

TEST(CodePage, InvalidUtf7IsReplaced)
{
    const std::u16string wide = MultiByteToWide(CP_UTF7, std::string("a\x80z", 3));
    EXPECT_EQ(wide, u"a\uFFFDz");
}

TEST(CodePage, CharactersOutsideTheBasicPlaneBecomeOneQuestionMark)
{
    EXPECT_EQ(WideToMultiByte(1252, u"x\U0001F600y"), "x?y");
}

TEST(CodePage, LoneSurrogatesBecomeQuestionMarks)
{
    const char16_t lowFirst[] = {u'a', 0xDC00, 0xD800, u'b', 0};
    EXPECT_EQ(WideToMultiByte(1252, lowFirst), "a??b");
    EXPECT_EQ(WideToMultiByte(CP_UTF8, lowFirst), "a??b");
    const char16_t highAtEnd[] = {u'a', 0xD83D, 0};
    EXPECT_EQ(WideToMultiByte(CP_UTF8, highAtEnd), "a?");
}

TEST(CodePage, DoubleByteLeadByteCutOffAtTheEnd)
{
    // 0x82 starts a two-byte character in Shift-JIS.
    EXPECT_EQ(MultiByteToWide(932, "\x82\xA0"), u"\u3042");
    EXPECT_EQ(MultiByteToWide(932, "a\x82"), u"a\uFFFD");
}

TEST(CodePage, OtherWindowsCodePages)
{
    EXPECT_EQ(MultiByteToWide(1251, "\xC0"), u"\u0410");  // Cyrillic А
    EXPECT_EQ(WideToMultiByte(1250, u"\u0141"), "\xA3");  // Ł
    EXPECT_EQ(WideToMultiByte(1252, u"\u0141"), "?");
}

TEST(CodePage, CodePagesThatAreNotEightBitTextAreRefused)
{
    EXPECT_THROW(MultiByteToWide(1200, "ab"), EOSError);
    EXPECT_THROW(WideToMultiByte(123456, u"ab"), EOSError);
}
