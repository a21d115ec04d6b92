#include "lang/LangEscapes.h"
#include "lang/LangText.h"

#include <gtest/gtest.h>

TEST(LangEscapes, DecodesTheFourEscapes)
{
    EXPECT_EQ(UnescapeText(u"a\\nb"), u"a\r\nb");
    EXPECT_EQ(UnescapeText(u"\\32x"), u" x");
    EXPECT_EQ(UnescapeText(u"x\\ty"), u"x\ty");
    EXPECT_EQ(UnescapeText(u"c:\\\\dir"), u"c:\\dir");
    EXPECT_EQ(UnescapeText(u"\\00"), std::u16string(1, u'\0'));
    EXPECT_EQ(UnescapeText(u"\\99"), std::u16string(1, char16_t(99)));
}

TEST(LangEscapes, KeepsBackslashesThatStartNoEscape)
{
    EXPECT_EQ(UnescapeText(u"\\3x"), u"\\3x");
    EXPECT_EQ(UnescapeText(u"\\q"), u"\\q");
    EXPECT_EQ(UnescapeText(u"end\\"), u"end\\");
    EXPECT_EQ(UnescapeText(u"\\3"), u"\\3");
    // Only lower-case letters escape.
    EXPECT_EQ(UnescapeText(u"\\N\\T"), u"\\N\\T");
    // The character after a lone backslash is read normally, so it can start an escape itself.
    EXPECT_EQ(UnescapeText(u"\\\\\\n"), u"\\\r\n");
    EXPECT_EQ(UnescapeText(u"\\x\\n"), u"\\x\r\n");
    // Three digits: two form the code, the third stays.
    EXPECT_EQ(UnescapeText(u"\\655"), u"A5");
}

TEST(LangEscapes, EncodesControlsBackslashesAndLineEnds)
{
    EXPECT_EQ(EscapeText(u"a\tb"), u"a\\tb");
    EXPECT_EQ(EscapeText(u"a\\b"), u"a\\\\b");
    EXPECT_EQ(EscapeText(std::u16string(1, char16_t(7))), u"\\07");
    EXPECT_EQ(EscapeText(std::u16string(1, char16_t(0))), u"\\00");
    EXPECT_EQ(EscapeText(std::u16string(1, char16_t(31))), u"\\31");
    EXPECT_EQ(EscapeText(u"a\r\nb"), u"a\\nb");
    EXPECT_EQ(EscapeText(u"a\n\rb"), u"a\\nb");
    EXPECT_EQ(EscapeText(u"a\rb"), u"a\\nb");
    EXPECT_EQ(EscapeText(u"a\nb"), u"a\\nb");
    EXPECT_EQ(EscapeText(u"\n\n"), u"\\n\\n");
    EXPECT_EQ(EscapeText(u"\r\n\r\n"), u"\\n\\n");
    EXPECT_EQ(EscapeText(u"\n\r\n"), u"\\n\\n");
    EXPECT_EQ(EscapeText(u"Acci\u00F3n \u20AC"), u"Acci\u00F3n \u20AC");
}

TEST(LangEscapes, EscapedTextDecodesBackWithLineEndsAsCrLf)
{
    std::u16string all;
    for (char16_t c = 0; c < 200; ++c)
        if (c != u'\r' && c != u'\n')
            all.push_back(c);
    EXPECT_EQ(UnescapeText(EscapeText(all)), all);
    EXPECT_EQ(UnescapeText(EscapeText(u"one\ntwo\rthree\r\n")), u"one\r\ntwo\r\nthree\r\n");
    // A backslash followed by digits must not merge with them on the way back.
    EXPECT_EQ(UnescapeText(EscapeText(u"\\12")), u"\\12");
}

TEST(LangText, TrimsEveryCodeUpTo32)
{
    EXPECT_EQ(LangTrim(std::u16string_view(u"\x01 \t a b \x1F\x20")), u"a b");
    EXPECT_EQ(LangTrim(std::u16string_view(u"\u00A0x\u00A0")), u"\u00A0x\u00A0");
    EXPECT_EQ(LangTrim(std::string_view("\r\n  \xA0z\t")), "\xA0z");
    EXPECT_EQ(LangTrim(std::u16string_view(u" \t ")), u"");
}

TEST(LangText, IdentifiersAndDecimalNumbers)
{
    EXPECT_TRUE(IsValidIdent("cInfoWait"));
    EXPECT_TRUE(IsValidIdent("_a1"));
    EXPECT_FALSE(IsValidIdent("1a"));
    EXPECT_FALSE(IsValidIdent(""));
    EXPECT_FALSE(IsValidIdent("a-b"));
    EXPECT_FALSE(IsValidIdent("a b"));
    EXPECT_FALSE(IsValidIdent("\xC1rbol"));

    EXPECT_EQ(ParseDecimal(u"00000007"), 7);
    EXPECT_EQ(ParseDecimal(u"-3"), -3);
    EXPECT_EQ(ParseDecimal(u"+12"), 12);
    EXPECT_EQ(ParseDecimal(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal(u"-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseDecimal(u"2147483648"));
    EXPECT_FALSE(ParseDecimal(u"99999999999999999999"));
    EXPECT_FALSE(ParseDecimal(u"abc"));
    EXPECT_FALSE(ParseDecimal(u"7a"));
    EXPECT_FALSE(ParseDecimal(u"-"));
    EXPECT_FALSE(ParseDecimal(u""));
    EXPECT_FALSE(ParseDecimal(u"\uFF17")); // a full-width digit is no decimal digit here
}
