#include "LangTestBytes.h"

#include "lang/ByteReader.h"
#include "lang/LangError.h"
#include "lang/Lang_CompTranslations.h"

#include <gtest/gtest.h>

namespace {

// Reads a UTF-16LE text with its mark.
void ReadUnicode(TLang_CompTranslations& translations, std::u16string_view text, bool headerOnly = false)
{
    translations.ReadText(Utf16LeBytes(text), headerOnly);
}

std::u16string ValueOf(const TLang_CompTranslation& section, std::int32_t id)
{
    const TLang_PropValueTranslation* value = section.FindValue(id);
    return value ? value->Text : u"<none>";
}

std::string FailureOf(std::u16string_view text)
{
    TLang_CompTranslations translations;
    try {
        ReadUnicode(translations, text);
    } catch (const ELangError& error) {
        return error.what();
    }
    return "<no error>";
}

} // namespace

TEST(TranslationText, ReadsHeaderSectionsAndConstants)
{
    TLang_CompTranslations t;
    ReadUnicode(t, u"; a comment\r\nAuthor = Someone\r\nLANGID=1034\r\n\r\n[frmConfig]\r\n00000002=Im\u00E1genes\r\n"
                   u"7=&Cancelar\r\n[$CONSTANTS]\r\ncInfoEnded=Listo.\r\n");
    EXPECT_TRUE(t.Unicode());
    ASSERT_EQ(t.Header().size(), 2u);
    EXPECT_EQ(t.Header()[0], u"Author=Someone");
    EXPECT_EQ(t.Header()[1], u"LANGID=1034");
    EXPECT_EQ(t.HeaderLangId(), 1034);
    ASSERT_EQ(t.SectionCount(), 1);
    const TLang_CompTranslation* section = t.FindSection("FRMCONFIG");
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->Section(), "frmConfig");
    EXPECT_EQ(ValueOf(*section, 2), u"Im\u00E1genes");
    EXPECT_EQ(ValueOf(*section, 7), u"&Cancelar");
    EXPECT_EQ(section->PositionOfId(3), -1);
    ASSERT_EQ(t.ConstantSection().Count(), 1);
    EXPECT_EQ(t.ConstantSection().FindConstant("cinfoended").Text, u"Listo.");
    EXPECT_EQ(t.FindSection("other"), nullptr);
}

TEST(TranslationText, IdsWithLeadingZerosAndSkippedKeys)
{
    TLang_CompTranslations t;
    ReadUnicode(t, u"[a]\r\n00000007=&Cancelar\r\n0=zero\r\n-3=neg\r\nabc=letters\r\n+5=plus\r\n99999999999=big\r\n"
                   u"[b]\r\n7=&Cancelar\r\n");
    ASSERT_EQ(t.SectionCount(), 2);
    const TLang_CompTranslation& a = t.Sections(0);
    ASSERT_EQ(a.Count(), 2);
    EXPECT_EQ(a.Items(0).PropId, 5);
    EXPECT_EQ(a.Items(1).PropId, 7);
    EXPECT_EQ(a.Items(1).Text, u"&Cancelar");
    EXPECT_EQ(a.Items(1).Flags, 0);
    EXPECT_EQ(ValueOf(t.Sections(1), 7), u"&Cancelar");
}

TEST(TranslationText, ValuesAndKeysAreTrimmedAndEscapesDecoded)
{
    TLang_CompTranslations t;
    ReadUnicode(t, u"[$CONSTANTS]\r\ncInfoWait = Espere  \r\nc2=\\32padded\\32\r\nc3=a=b\r\nc4=\\q\\3x\\n\r\n"
                   u"[f]\r\n1=\t x \\t\r\n");
    const TLang_Constants& c = t.ConstantSection();
    EXPECT_EQ(c.FindConstant("cInfoWait").Text, u"Espere");
    EXPECT_EQ(c.FindConstant("cInfoWait").Name, "cInfoWait");
    EXPECT_EQ(c.FindConstant("c2").Text, u" padded ");
    EXPECT_EQ(c.FindConstant("c3").Text, u"a=b");
    EXPECT_EQ(c.FindConstant("c4").Text, u"\\q\\3x\r\n");
    EXPECT_EQ(c.FindConstant("c4").BaseText, u"\\q\\3x\r\n");
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"x \t");
}

TEST(TranslationText, HeaderKeysAreReplacedInPlaceAndRemovedByEmptyValues)
{
    TLang_CompTranslations t;
    ReadUnicode(t, u"A=1\r\nLANGID=1034\r\nB=\\n2\r\nlangid=1036\r\n=no key\r\nno equals\r\n");
    ASSERT_EQ(t.Header().size(), 3u);
    EXPECT_EQ(t.Header()[1], u"langid=1036");
    EXPECT_EQ(t.Header()[2], u"B=\\n2"); // header values keep their escapes
    EXPECT_EQ(t.HeaderLangId(), 1036);

    ReadUnicode(t, u"LANGID=1034\r\nOther=x\r\nLANGID=\r\n");
    ASSERT_EQ(t.Header().size(), 1u);
    EXPECT_EQ(t.Header()[0], u"Other=x");
    EXPECT_EQ(t.HeaderLangId(), 1033);

    ReadUnicode(t, u"LANGID=Spanish\r\n");
    EXPECT_EQ(t.HeaderLangId(), 1033);
    ReadUnicode(t, u"LANGID=70000\r\n");
    EXPECT_EQ(t.HeaderLangId(), 1033);
    ReadUnicode(t, u"");
    EXPECT_EQ(t.HeaderLangId(), 1033);
    EXPECT_TRUE(t.Header().empty());
}

TEST(TranslationText, SectionLines)
{
    TLang_CompTranslations t;
    ReadUnicode(t, u"[  frmConfig  ]\r\n1=one\r\n[]\r\n2=two\r\n[frmConfig\r\n3=three\r\n[Other]\r\n1=x\r\n"
                   u"[FRMCONFIG]\r\n4=four\r\n[$constants]\r\nc=k\r\n[ $CONSTANTS ]\r\nd=l\r\n");
    ASSERT_EQ(t.SectionCount(), 2);
    EXPECT_EQ(t.Sections(0).Section(), "frmConfig");
    EXPECT_EQ(t.Sections(1).Section(), "Other");
    const TLang_CompTranslation& form = t.Sections(0);
    ASSERT_EQ(form.Count(), 4);
    EXPECT_EQ(ValueOf(form, 2), u"two");   // "[]" kept the section
    EXPECT_EQ(ValueOf(form, 3), u"three"); // "[frmConfig" as well
    EXPECT_EQ(ValueOf(form, 4), u"four");  // same name, same section
    EXPECT_EQ(t.ConstantSection().Count(), 2);
}

TEST(TranslationText, HeaderOnlyStopsAtTheFirstBracketLine)
{
    TLang_CompTranslations t;
    ReadUnicode(t, u"LANGID=1034\r\n[x\r\nAfter=1\r\n[$CONSTANTS]\r\nbad name=1\r\n", true);
    ASSERT_EQ(t.Header().size(), 1u);
    EXPECT_EQ(t.SectionCount(), 0);
    EXPECT_EQ(t.ConstantSection().Count(), 0);
}

TEST(TranslationText, DuplicateIdReportsTheLineIndex)
{
    const std::string expected = "Loading translations failed.\r\nLine 8: Duplicate property value translation ID (7)";
    EXPECT_EQ(FailureOf(u"A=1\r\nB=2\r\n\r\n[f]\r\n1=a\r\n7=b\r\n2=c\r\n;comment\r\n00007=again\r\n"), expected);
    EXPECT_EQ(FailureOf(u"A=1\r\n\r\n[f]\r\n7=b\r\n[g]\r\n1=x\r\n\r\n[F]\r\n7=again\r\n"), expected);
    // Line indices count every kind of line end.
    EXPECT_EQ(FailureOf(u"A=1\rB=2\nC=3\r\n\n[f]\r7=b\n\r\n\r7=c\r\n"), expected);
}

TEST(TranslationText, ConstantErrorsCarryTheLineIndex)
{
    EXPECT_EQ(FailureOf(u"[$CONSTANTS]\r\n1abc=x\r\n"),
              "Loading translations failed.\r\nLine 1: Invalid constant name (\"1abc\")");
    EXPECT_EQ(FailureOf(u"[$CONSTANTS]\r\na=x\r\nA=y\r\n"),
              "Loading translations failed.\r\nLine 2: Duplicate constant name (\"A\")");
    EXPECT_EQ(FailureOf(u"[$CONSTANTS]\r\nmy name=x\r\n"),
              "Loading translations failed.\r\nLine 1: Invalid constant name (\"my name\")");
    // A key outside 8-bit text is never a valid name.
    EXPECT_EQ(FailureOf(u"[$CONSTANTS]\r\nc\u4E2D=x\r\n"),
              "Loading translations failed.\r\nLine 1: Invalid constant name (\"c?\")");
}

TEST(TranslationText, WhatWasReadBeforeAFailureStays)
{
    TLang_CompTranslations t;
    EXPECT_THROW(ReadUnicode(t, u"A=1\r\n[f]\r\n1=a\r\n1=b\r\n2=c\r\n"), ELangError);
    EXPECT_EQ(t.Header().size(), 1u);
    ASSERT_EQ(t.SectionCount(), 1);
    EXPECT_EQ(t.Sections(0).Count(), 1);
    // The next read starts from nothing.
    ReadUnicode(t, u"[g]\r\n5=x\r\n");
    EXPECT_TRUE(t.Header().empty());
    ASSERT_EQ(t.SectionCount(), 1);
    EXPECT_EQ(t.Sections(0).Section(), "g");
}

TEST(TranslationText, UnicodeEdgeCases)
{
    TLang_CompTranslations t;
    // Missing final newline.
    ReadUnicode(t, u"[f]\r\n1=last");
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"last");

    // A NUL ends the text.
    std::u16string withNul = u"[f]\r\n1=before";
    withNul.push_back(u'\0');
    withNul += u"after\r\n2=never\r\n";
    ReadUnicode(t, withNul);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"before");
    EXPECT_EQ(t.Sections(0).Count(), 1);

    // An odd last byte is ignored.
    TBytes odd = Utf16LeBytes(u"[f]\r\n1=ok");
    odd.push_back(0x41);
    t.ReadText(odd, false);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"ok");

    // A mark alone, or a single byte after it.
    t.ReadText(TBytes{0xFF, 0xFE}, false);
    EXPECT_TRUE(t.Unicode());
    EXPECT_EQ(t.SectionCount(), 0);
    t.ReadText(TBytes{0xFF, 0xFE, 0x5B}, false);
    EXPECT_EQ(t.SectionCount(), 0);

    // Lone surrogates stay in values as they are; in a section name they become '?'.
    std::u16string lone = u"[s";
    lone.push_back(char16_t(0xD800));
    lone += u"]\r\n1=a";
    lone.push_back(char16_t(0xDC00));
    lone += u"b\r\n";
    ReadUnicode(t, lone);
    ASSERT_EQ(t.SectionCount(), 1);
    EXPECT_EQ(t.Sections(0).Section(), "s?");
    EXPECT_EQ(ValueOf(t.Sections(0), 1), (std::u16string{u'a', char16_t(0xDC00), u'b'}));
    std::u16string loneName = u"[$CONSTANTS]\r\nc";
    loneName.push_back(char16_t(0xDBFF));
    loneName += u"=x\r\n";
    EXPECT_EQ(FailureOf(loneName), "Loading translations failed.\r\nLine 1: Invalid constant name (\"c?\")");
}

TEST(TranslationText, VeryLongLines)
{
    std::u16string value(1 << 20, u'x');
    value[12345] = u'\\';
    value[12346] = u'n';
    TLang_CompTranslations t;
    ReadUnicode(t, u"[f]\r\n1=" + value + u"\r\n2=short");
    const std::u16string text = ValueOf(t.Sections(0), 1);
    ASSERT_EQ(text.size(), value.size());
    EXPECT_EQ(text.substr(12344, 4), u"x\r\nx");
    EXPECT_EQ(ValueOf(t.Sections(0), 2), u"short");

    std::u16string longKey(100000, u'9');
    ReadUnicode(t, u"[f]\r\n" + longKey + u"=skipped\r\n");
    EXPECT_EQ(t.Sections(0).Count(), 0);
}

TEST(TranslationText, ReadsFromTheStreamPosition)
{
    TBytes bytes = RawBytes("junk");
    const TBytes text = Utf16LeBytes(u"[f]\r\n1=a\r\n");
    bytes.insert(bytes.end(), text.begin(), text.end());
    TByteReader reader(bytes);
    reader.Seek(4);
    TLang_CompTranslations t;
    t.ReadText(reader, false);
    EXPECT_TRUE(t.Unicode());
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"a");
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(TranslationText, AnsiTextInTheCodePageOfItsLanguage)
{
    TLang_CompTranslations t;
    t.ReadText(RawBytes("LANGID=1034\r\n[f]\r\n1=Im\xE1genes \x80\r\n[$CONSTANTS]\r\nc=Espa\xF1ol"), false);
    EXPECT_FALSE(t.Unicode());
    EXPECT_EQ(t.HeaderLangId(), 1034);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"Im\u00E1genes \u20AC");
    EXPECT_EQ(t.ConstantSection().FindConstant("c").Text, u"Espa\u00F1ol");

    // The text's own LANGID chooses the code page: Russian reads in 1251, wherever the line stands.
    t.ReadText(RawBytes("[f]\r\n1=\xC0\xFF\r\n[h]\r\nLANGID=1049\r\n"), false);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"\u0410\u044F");
    EXPECT_EQ(t.HeaderLangId(), 1033); // that line was no header line
    t.ReadText(RawBytes("LANGID = 1049\r\nlangid=1034\r\n[f]\r\n1=\xC0\r\n"), false);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"\u0410"); // the first LANGID line counts
    t.ReadText(RawBytes("LANGID=Russian\r\n[f]\r\n1=\xC0\r\n"), false);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"\u00C0");

    // Lines split at a lone CR as well; a NUL byte ends the text.
    t.ReadText(RawBytes(std::string("[f]\r1=a\n2=b\0\r3=c", 16)), false);
    ASSERT_EQ(t.SectionCount(), 1);
    EXPECT_EQ(t.Sections(0).Count(), 2);
    EXPECT_EQ(ValueOf(t.Sections(0), 2), u"b");
}

TEST(TranslationText, Utf8AndBigEndianTextsAreReadByTheirMarks)
{
    // UTF-8 with its mark: the accents come through whatever LANGID says.
    TLang_CompTranslations t;
    t.ReadText(RawBytes("\xEF\xBB\xBFLANGID=1049\r\n[f]\r\n1=Im\xC3\xA1genes \xE2\x82\xAC\r\n"), false);
    EXPECT_FALSE(t.Unicode());
    ASSERT_EQ(t.Header().size(), 1u);
    EXPECT_EQ(t.Header()[0], u"LANGID=1049");
    EXPECT_EQ(t.HeaderLangId(), 1049);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"Im\u00E1genes \u20AC");

    // UTF-16BE with its mark, like UTF-16LE: an odd last byte and lone surrogates are harmless.
    TBytes be = Utf16BeBytes(u"LANGID=1034\r\n[f]\r\n1=Espa\u00F1ol\r\n2=a");
    be.insert(be.end(), {0xD8, 0x00, 0x41});
    t.ReadText(be, false);
    EXPECT_TRUE(t.Unicode());
    EXPECT_EQ(t.HeaderLangId(), 1034);
    ASSERT_EQ(t.SectionCount(), 1);
    EXPECT_EQ(ValueOf(t.Sections(0), 1), u"Espa\u00F1ol");
    EXPECT_EQ(ValueOf(t.Sections(0), 2), (std::u16string{u'a', char16_t(0xD800)}));

    // Texts that cannot be read fail instead of loading nothing.
    const auto failure = [](const TBytes& bytes) {
        TLang_CompTranslations translations;
        try {
            translations.ReadText(bytes, false);
        } catch (const ELangError& error) {
            return std::string(error.what());
        }
        return std::string("<no error>");
    };
    EXPECT_EQ(failure(RawBytes("\xEF\xBB\xBF[f]\r\n1=\xE1\r\n")),
              "Loading translations failed.\r\nThe text is marked as UTF-8 but is not UTF-8 text");
    EXPECT_EQ(failure(TBytes{0xFF, 0xFE, 0, 0, '[', 0, 0, 0}),
              "Loading translations failed.\r\nUTF-32 text cannot be read; save it as UTF-16 or UTF-8");
    EXPECT_EQ(failure(TBytes{0, 0, 0xFE, 0xFF, 0, 0, 0, '['}),
              "Loading translations failed.\r\nUTF-32 text cannot be read; save it as UTF-16 or UTF-8");
}

TEST(TranslationText, PutValueKeepsIdsSortedAndUnique)
{
    TLang_CompTranslation section("s");
    for (int id : {5, 1, 9, 3, 7})
        section.PutValue(id, u"v" + std::u16string(1, char16_t(u'0' + id)), 0);
    ASSERT_EQ(section.Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(section.Items(i).PropId, 2 * i + 1);
    EXPECT_EQ(section.PositionOfId(7), 3);
    EXPECT_EQ(section.PositionOfId(4), -1);
    EXPECT_EQ(section.PositionOfId(100), -1);
    try {
        section.PutValue(3, u"again", 0);
        FAIL();
    } catch (const ELangError& error) {
        EXPECT_STREQ(error.what(), "Duplicate property value translation ID (3)");
    }
    EXPECT_EQ(section.Count(), 5);
    EXPECT_EQ(section.Items(1).Text, u"v3");
}
