#include "LangTestBytes.h"
#include "TestModule.h"

#include "lang/ByteReader.h"
#include "lang/LangError.h"
#include "lang/Lang_Constants.h"

#include <gtest/gtest.h>

namespace {

TLang_Constants MakeConstants(std::uint16_t langId = 1033)
{
    return TLang_Constants([langId] { return langId; });
}

// A version 2 stream of the given constants.
TBytes Version2(const std::vector<std::pair<std::string, std::u16string>>& items, std::uint8_t autoSave = 1)
{
    TBytes out{2, autoSave};
    PutInt32(out, static_cast<std::int32_t>(items.size()));
    for (const auto& [name, text] : items) {
        PutName(out, name);
        PutWideText(out, text);
    }
    return out;
}

// A version 0 or 1 stream with 8-bit texts.
TBytes Version01(std::uint8_t version, const std::vector<std::pair<std::string, std::string>>& items)
{
    TBytes out{version};
    PutInt32(out, static_cast<std::int32_t>(items.size()));
    for (const auto& [name, text] : items) {
        PutName(out, name);
        PutName(out, text);
    }
    return out;
}

std::string ReadFailure(TLang_Constants& constants, const TBytes& bytes)
{
    TByteReader reader(bytes);
    try {
        constants.ReadStream(reader);
    } catch (const Exception& error) {
        return std::string(error.ClassName()) + ": " + error.what();
    }
    return "<no error>";
}

} // namespace

TEST(Constants, AddKeepsCaseInsensitiveOrderAndFindsAnyCase)
{
    TLang_Constants c = MakeConstants();
    c.AddConstant("zeta", u"z", 0);
    c.AddConstant("Alpha", u"a", 0);
    c.AddConstant("_under", u"u", 0);
    c.AddConstant("beta", u"b", 0);
    c.AddConstant("alphabet", u"ab", 0);
    ASSERT_EQ(c.Count(), 5);
    // '_' (95) sorts after the folded letters (65..90).
    const std::vector<std::string> expected{"Alpha", "alphabet", "beta", "zeta", "_under"};
    for (int i = 0; i < c.Count(); ++i)
        EXPECT_EQ(c.Items(i).Name, expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(c.FindConstant("ALPHA").Text, u"a");
    EXPECT_EQ(c.FindConstant("Zeta").BaseText, u"z");
    EXPECT_EQ(c.IndexOf("gamma"), -1);
}

TEST(Constants, AddAndFindFailures)
{
    TLang_Constants c = MakeConstants();
    c.AddConstant("cInfoWait", u"w", 0);
    try {
        c.AddConstant("CINFOWAIT", u"x", 0);
        FAIL();
    } catch (const ELangError& error) {
        EXPECT_STREQ(error.what(), "Duplicate constant name (\"CINFOWAIT\")");
    }
    for (const char* bad : {"", "9lives", "a.b", "a b", "-x"}) {
        try {
            c.AddConstant(bad, u"x", 0);
            ADD_FAILURE() << bad;
        } catch (const ELangError& error) {
            EXPECT_EQ(error.what(), "Invalid constant name (\"" + std::string(bad) + "\")");
        }
    }
    try {
        c.FindConstant("cInfoNone");
        FAIL();
    } catch (const ELangError& error) {
        EXPECT_STREQ(error.what(), "Constant \"cInfoNone\" not found");
    }
    EXPECT_EQ(c.Count(), 1);
}

TEST(Constants, ReadsVersion2WithItsFlag)
{
    TLang_Constants c = MakeConstants();
    TBytes bytes = Version2({{"cInfoEnded", u"Ready."}, {"b", u"Espa\u00F1ol \U0001F600"}}, 0);
    bytes.push_back(0x77); // bytes after the last constant are not read
    TByteReader reader(bytes);
    c.ReadStream(reader);
    EXPECT_FALSE(c.AutoSaveFlag());
    EXPECT_EQ(reader.Remaining(), 1u);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Items(0).Name, "b");
    EXPECT_EQ(c.Items(0).Text, u"Espa\u00F1ol \U0001F600");
    EXPECT_EQ(c.FindConstant("cinfoended").BaseText, u"Ready.");

    // Any non-zero byte is true; reading again starts from an empty list.
    const TBytes second = Version2({{"x", u"1"}}, 0x80);
    TByteReader again(second);
    c.ReadStream(again);
    EXPECT_TRUE(c.AutoSaveFlag());
    ASSERT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Items(0).Name, "x");
}

TEST(Constants, ReadsVersions0And1InTheCodePageOfTheSourceLanguage)
{
    int asked = 0;
    TLang_Constants c([&asked] { ++asked; return std::uint16_t(1034); });
    const TBytes bytes1 = Version01(1, {{"a", "Espa\xF1ol \x80"}});
    TByteReader v1(bytes1);
    c.ReadStream(v1);
    EXPECT_TRUE(c.AutoSaveFlag());
    EXPECT_EQ(c.FindConstant("a").Text, u"Espa\u00F1ol \u20AC");
    EXPECT_GE(asked, 1);

    const TBytes bytes0 = Version01(0, {{"a", "x"}, {"b", ""}});
    TByteReader v0(bytes0);
    c.ReadStream(v0);
    EXPECT_FALSE(c.AutoSaveFlag());
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.FindConstant("b").Text, u"");

    // Russian texts decode in code page 1251.
    TLang_Constants russian = MakeConstants(1049);
    const TBytes cyrillic = Version01(0, {{"a", "\xC0\xFF"}});
    TByteReader v0c(cyrillic);
    russian.ReadStream(v0c);
    EXPECT_EQ(russian.FindConstant("a").Text, u"\u0410\u044F");

    // A language without locale data falls back to the system code page.
    TLang_Constants unknown = MakeConstants(0x007F);
    const TBytes latin = Version01(0, {{"a", "\xE9"}});
    TByteReader v0b(latin);
    unknown.ReadStream(v0b);
    EXPECT_EQ(unknown.FindConstant("a").Text, u"\u00E9");
}

TEST(Constants, VersionAboveTwoFails)
{
    TLang_Constants c = MakeConstants();
    TBytes v3 = Version2({{"a", u"x"}});
    v3[0] = 3;
    EXPECT_EQ(ReadFailure(c, v3), "ELangError: Stream version (3) is greater than the current one (2)");
    v3[0] = 255;
    EXPECT_EQ(ReadFailure(c, v3), "ELangError: Stream version (255) is greater than the current one (2)");
    EXPECT_EQ(c.Count(), 0);
}

TEST(Constants, InvalidOrRepeatedNamesInAStreamFail)
{
    TLang_Constants c = MakeConstants();
    EXPECT_EQ(ReadFailure(c, Version2({{"ok", u"1"}, {"OK", u"2"}})), "ELangError: Duplicate constant name (\"OK\")");
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(ReadFailure(c, Version2({{"", u"1"}})), "ELangError: Invalid constant name (\"\")");
    EXPECT_EQ(ReadFailure(c, Version2({{"a\tb", u"1"}})), "ELangError: Invalid constant name (\"a\tb\")");
    EXPECT_EQ(ReadFailure(c, Version01(1, {{"3d", "x"}})), "ELangError: Invalid constant name (\"3d\")");
}

TEST(Constants, EveryTruncationIsAReadError)
{
    const TBytes v2 = Version2({{"cInfoEnded", u"Ready."}, {"cInfoWait", u"Wait."}});
    const TBytes v1 = Version01(1, {{"cInfoEnded", "Ready."}, {"cInfoWait", "Wait."}});
    for (const TBytes* full : {&v2, &v1}) {
        for (std::size_t size = 0; size < full->size(); ++size) {
            TLang_Constants c = MakeConstants();
            const TBytes cut(full->begin(), full->begin() + static_cast<std::ptrdiff_t>(size));
            EXPECT_EQ(ReadFailure(c, cut), "EReadError: Stream read error") << "size " << size;
        }
        TLang_Constants c = MakeConstants();
        EXPECT_EQ(ReadFailure(c, *full), "<no error>");
        EXPECT_EQ(c.Count(), 2);
    }
}

TEST(Constants, CountsAndLengthsBeyondTheDataAreReadErrors)
{
    TLang_Constants c = MakeConstants();
    TBytes huge{2, 1};
    PutInt32(huge, 0x7FFFFFFF);
    PutName(huge, "a");
    PutWideText(huge, u"x");
    EXPECT_EQ(ReadFailure(c, huge), "EReadError: Stream read error");
    EXPECT_EQ(c.Count(), 1);

    TBytes longText{2, 1};
    PutInt32(longText, 1);
    PutName(longText, "a");
    PutUInt16(longText, 0xFFFF); // 65535 code units announced, two bytes present
    PutUInt16(longText, 0x41);
    EXPECT_EQ(ReadFailure(c, longText), "EReadError: Stream read error");

    TBytes longName{0};
    PutInt32(longName, 1);
    PutUInt16(longName, 0xFFFF);
    EXPECT_EQ(ReadFailure(c, longName), "EReadError: Stream read error");

    // A negative count reads nothing.
    TBytes negative{2, 1};
    PutInt32(negative, -5);
    EXPECT_EQ(ReadFailure(c, negative), "<no error>");
    EXPECT_EQ(c.Count(), 0);
}

TEST(Constants, TakeTextsFromAnotherListOrBackToBase)
{
    TLang_Constants base = MakeConstants();
    base.AddConstant("cInfoEnded", u"Ready.", 0);
    base.AddConstant("cInfoSelect", u"Click on one image to select it.", 0);
    base.AddConstant("cInfoWait", u"Wait until the wallpaper is placed.", 0);

    TLang_Constants spanish = MakeConstants();
    spanish.AddConstant("CINFOENDED", u"Listo.", 0);
    spanish.AddConstant("cInfoWait", u"Espere.", 0);
    spanish.AddConstant("cUnknown", u"ignored", 0);

    base.TakeTextsFrom(&spanish);
    EXPECT_EQ(base.FindConstant("cInfoEnded").Text, u"Listo.");
    EXPECT_EQ(base.FindConstant("cInfoWait").Text, u"Espere.");
    EXPECT_EQ(base.FindConstant("cInfoSelect").Text, u"Click on one image to select it.");
    EXPECT_EQ(base.FindConstant("cInfoEnded").BaseText, u"Ready.");
    EXPECT_EQ(base.Count(), 3);
    EXPECT_EQ(base.IndexOf("cUnknown"), -1);

    // A list that names fewer constants leaves the others as they are.
    TLang_Constants partial = MakeConstants();
    partial.AddConstant("cInfoSelect", u"Clic.", 0);
    base.TakeTextsFrom(&partial);
    EXPECT_EQ(base.FindConstant("cInfoEnded").Text, u"Listo.");
    EXPECT_EQ(base.FindConstant("cInfoSelect").Text, u"Clic.");

    base.TakeTextsFrom(nullptr);
    EXPECT_EQ(base.FindConstant("cInfoEnded").Text, u"Ready.");
    EXPECT_EQ(base.FindConstant("cInfoSelect").Text, u"Click on one image to select it.");
    EXPECT_EQ(base.FindConstant("cInfoWait").Text, u"Wait until the wallpaper is placed.");
}

TEST(Constants, ExportSourceWritesEscapedLinesFilteredByFlags)
{
    TLang_Constants c = MakeConstants();
    c.AddConstant("b", u"two\r\nlines\t\\", 0);
    c.AddConstant("a", u"plain", 0x02);
    c.AddConstant("c", u"Espa\u00F1ol", 0x01);
    std::vector<std::u16string> lines;
    c.ExportSource(lines, 0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], u"a=plain");
    EXPECT_EQ(lines[1], u"b=two\\nlines\\t\\\\");
    EXPECT_EQ(lines[2], u"c=Espa\u00F1ol");
    lines.clear();
    c.WriteSource(lines, 0x01);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], u"a=plain");
    EXPECT_EQ(c.SourceSection(), u"$CONSTANTS");
    EXPECT_TRUE(c.PrepareSource());
}

TEST(Constants, LoadFromModule)
{
    TTestModule module;
    module.Put("MY_CONSTS", Version2({{"k", u"v"}}));
    TLang_Constants c = MakeConstants();
    c.AddConstant("old", u"o", 0);
    EXPECT_FALSE(c.LoadFromModule(module, "OTHER"));
    EXPECT_EQ(c.Count(), 1);
    EXPECT_TRUE(c.LoadFromModule(module, "my_consts"));
    ASSERT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Items(0).Name, "k");
}
