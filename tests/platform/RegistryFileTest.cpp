#include "platform/Exception.h"
#include "platform/RegistryFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string FileName = "/some/where/user.reg";
const std::string Key = "HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane";

// Lines joined with the given line end.
std::string Lines(const std::vector<std::string>& lines, const std::string& end)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + end;
    return out;
}

// UTF-8 text (ASCII plus two-byte sequences are enough here) to UTF-16LE with its mark.
std::string ToUtf16Le(const std::string& text)
{
    std::string out = "\xFF\xFE";
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned code = static_cast<unsigned char>(text[i]);
        if ((code & 0xE0) == 0xC0) {
            code = ((code & 0x1F) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F);
        }
        out += static_cast<char>(code & 0xFF);
        out += static_cast<char>(code >> 8);
    }
    return out;
}

const std::vector<std::string> SampleBody = {
    "",
    "; settings of the saver",
    "[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]",
    "\"Image time view\"=dword:0000000a",
    "\"View Type\"=dword:ffffffff",
    "\"Path\"=\"C:\\\\Posters\\\\\\\"best\\\"\"",
    "\"Espa\xC3\xB1ol\"=\"ni\xC3\xB1o\"",
    "@=\"the default\"",
    "\"Blob\"=hex:00,01,7f,80,\\",
    "  fe,ff",
    "",
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]",
    "\"ScreenSaveUsePassword\"=dword:00000001",
    "",
};

void ExpectSampleContents(const TRegistryFile& file)
{
    const TRegistryFile::TKey* key = file.FindKey(Key);
    ASSERT_NE(key, nullptr);
    const auto* time = TRegistryFile::FindValue(*key, "Image time view");
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->Kind, TRegistryFile::KindDword);
    EXPECT_EQ(time->Number, 10u);
    EXPECT_EQ(TRegistryFile::FindValue(*key, "View Type")->Number, 0xFFFFFFFFu);
    const auto* path = TRegistryFile::FindValue(*key, "Path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->Kind, TRegistryFile::KindString);
    EXPECT_EQ(path->Text, "C:\\Posters\\\"best\"");
    const auto* spanish = TRegistryFile::FindValue(*key, "espa\xC3\xB1ol");
    ASSERT_NE(spanish, nullptr);
    EXPECT_EQ(spanish->Text, "ni\xC3\xB1o");
    const auto* standard = TRegistryFile::FindValue(*key, "");
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->Text, "the default");
    const auto* blob = TRegistryFile::FindValue(*key, "Blob");
    ASSERT_NE(blob, nullptr);
    EXPECT_EQ(blob->Kind, TRegistryFile::KindBinary);
    EXPECT_EQ(blob->Bytes, (std::vector<std::uint8_t>{0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF}));
    const TRegistryFile::TKey* desktop = file.FindKey("hkey_current_user\\control panel\\DESKTOP");
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(TRegistryFile::FindValue(*desktop, "ScreenSaveUsePassword")->Number, 1u);
}

std::string ParseError(const std::string& bytes)
{
    try {
        TRegistryFile::Parse(bytes, FileName);
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "";
}

}  // namespace

// The same contents in every accepted header, encoding and line end.
TEST(RegistryFileFormats, ReadsEveryHeaderEncodingAndLineEnd)
{
    std::vector<std::string> v5 = SampleBody;
    v5.insert(v5.begin(), "Windows Registry Editor Version 5.00");
    std::vector<std::string> v4 = SampleBody;
    v4.insert(v4.begin(), "REGEDIT4");
    const std::vector<std::pair<const char*, std::string>> variants = {
        {"v5 UTF-8 CR LF", Lines(v5, "\r\n")},
        {"v5 UTF-8 LF", Lines(v5, "\n")},
        {"v5 UTF-8 mark CR LF", "\xEF\xBB\xBF" + Lines(v5, "\r\n")},
        {"v5 UTF-16LE CR LF", ToUtf16Le(Lines(v5, "\r\n"))},
        {"v5 UTF-16LE LF", ToUtf16Le(Lines(v5, "\n"))},
        {"v4 LF", Lines(v4, "\n")},
        {"v4 CR LF", Lines(v4, "\r\n")},
        {"v4 UTF-8 mark", "\xEF\xBB\xBF" + Lines(v4, "\n")},
    };
    for (const auto& [label, bytes] : variants) {
        SCOPED_TRACE(label);
        ExpectSampleContents(TRegistryFile::Parse(bytes, FileName));
    }
}

TEST(RegistryFileFormats, WritesVersion5InUtf8WithCrLf)
{
    TRegistryFile file;
    TRegistryFile::TValue value;
    value.Name = "Image time view";
    value.Kind = TRegistryFile::KindDword;
    value.Number = 10;
    TRegistryFile::SetValue(file.CreateKey(Key), value);
    EXPECT_EQ(file.Write(),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]\r\n"
              "\"Image time view\"=dword:0000000a\r\n"
              "\r\n");
}

TEST(RegistryFileFormats, WriteThenParseKeepsEveryValue)
{
    TRegistryFile file;
    TRegistryFile::TKey& key = file.CreateKey(Key);
    const auto add = [&](TRegistryFile::TValue value) { TRegistryFile::SetValue(key, std::move(value)); };
    add({"Quote \"and\" back\\slash", TRegistryFile::KindString, "a \"b\" c:\\d\\", 0, {}});
    add({"", TRegistryFile::KindString, "default", 0, {}});
    add({"Lines", TRegistryFile::KindString, "one\r\ntwo\x01 \xC3\xB1 \xF0\x9F\x98\x80", 0, {}});
    add({"Empty", TRegistryFile::KindString, "", 0, {}});
    add({"Negative", TRegistryFile::KindDword, "", 0x80000000u, {}});
    std::vector<std::uint8_t> big(1000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    add({"Big", TRegistryFile::KindBinary, "", 0, big});
    add({"NoBytes", TRegistryFile::KindBinary, "", 0, {}});
    add({"Expand", 2, "", 0, {0x41, 0x00, 0x00, 0x00}});
    const std::vector<TRegistryFile::TValue> written = key.Values;
    file.CreateKey("HKEY_CURRENT_USER\\Software\\Empty Leaf");  // may move 'key'

    const std::string text = file.Write();
    // Long hex data is wrapped into continued lines of reasonable width.
    std::size_t start = 0, longest = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        longest = std::max(longest, end - start);
        start = end + 2;
    }
    EXPECT_LE(longest, 80u);

    const TRegistryFile back = TRegistryFile::Parse(text, FileName);
    const TRegistryFile::TKey* again = back.FindKey(Key);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->Values.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(written[i].Name);
        EXPECT_EQ(again->Values[i].Name, written[i].Name);
        EXPECT_EQ(again->Values[i].Kind, written[i].Kind);
        EXPECT_EQ(again->Values[i].Text, written[i].Text);
        EXPECT_EQ(again->Values[i].Number, written[i].Number);
        EXPECT_EQ(again->Values[i].Bytes, written[i].Bytes);
    }
    EXPECT_TRUE(back.FindKey("HKEY_CURRENT_USER\\Software\\Empty Leaf") != nullptr);
    // Keys above a written key are implied rather than written as empty sections.
    EXPECT_EQ(text.find("[HKEY_CURRENT_USER\\Software]"), std::string::npos);
    EXPECT_TRUE(back.KeyExists("HKEY_CURRENT_USER\\Software\\Tessivo"));
    EXPECT_FALSE(back.KeyExists("HKEY_CURRENT_USER\\Software\\Tess"));
}

TEST(RegistryFileFormats, HonoursDeletionsAndLaterDuplicates)
{
    const std::string text = Lines({"REGEDIT4", "",
                                    "[HKEY_CURRENT_USER\\A\\B]", "\"w\"=\"gone\"", "\"x\"=dword:00000001", "\"y\"=\"gone\"",
                                    "[HKEY_CURRENT_USER\\A\\B\\C]", "\"z\"=dword:00000003",
                                    "[HKEY_CURRENT_USER\\Other]", "\"keep\"=dword:00000002",
                                    "[HKEY_CURRENT_USER\\a\\b]", "\"W\"=-", "\"X\"=dword:00000005", "\"y\"=-",
                                    "[-HKEY_CURRENT_USER\\A\\B\\C]", "\"ignored\"=dword:00000009",
                                    "[-HKEY_CURRENT_USER\\Other]"},
                                   "\n");
    const TRegistryFile file = TRegistryFile::Parse(text, FileName);
    const TRegistryFile::TKey* key = file.FindKey("HKEY_CURRENT_USER\\A\\B");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->Values.size(), 1u);
    EXPECT_EQ(TRegistryFile::FindValue(*key, "x")->Number, 5u);
    EXPECT_FALSE(file.KeyExists("HKEY_CURRENT_USER\\A\\B\\C"));
    EXPECT_FALSE(file.KeyExists("HKEY_CURRENT_USER\\Other"));
}

TEST(RegistryFileBadInput, EachDamageIsReportedWithTheFileName)
{
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n[" + Key + "]\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"\xEF\xBB\xBF", "empty"},
        {"  \r\n\r\n", "empty"},
        {"Windows Registry Editor Version 6.00\r\n", "unsupported version"},
        {"Windows Registry Editor Version 4.00\r\n", "unsupported version"},
        {"REGEDIT5\r\n", "not a registry export"},
        {"\x7F" "ELF\x02\x01\x01", "not a registry export"},
        {std::string("REGEDIT4\r\n\0\0\x01\x02\r\n", 14), "binary data"},
        {"Windows Registry Editor Version 5.00\r[HKEY_CURRENT_USER\\A]\r", "CR alone"},
        {"\xFE\xFF\x00R", "big-endian"},
        {"\xFF\xFE" "R\x00" "E", "UTF-16"},
        {"REGEDIT4\n\"x\"=dword:00000001\n", "outside any key"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", "closing ']'"},
        {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", "unknown root key"},
        {"REGEDIT4\n[]\n", "empty key name"},
        {header + "\"x\"=dword:0000000\r\n", "8 hexadecimal digits"},
        {header + "\"x\"=dword:0000000g\r\n", "8 hexadecimal digits"},
        {header + "\"x\"=dword:\r\n", "8 hexadecimal digits"},
        {header + "\"x\"=\"open\r\n", "closing quote"},
        {header + "\"x=\"v\"\r\n", "'='"},
        {header + "\"x\"\r\n", "'='"},
        {header + "\"x\"=qword:1\r\n", "unknown value type"},
        {header + "\"x\"=\"v\" junk\r\n", "after a string"},
        {header + "\"x\"=hex:01,02,\\", "continuation line of a hex value is missing"},
        {header + "\"x\"=hex:01,02,\\\r\n", "continuation line of a hex value is missing"},
        {header + "\"x\"=hex:\\\r\n\r\n\"y\"=dword:00000001\r\n", "continuation line of a hex value is missing"},
        {header + "\"x\"=hex:01,02,\r\n", "byte is missing"},
        {header + "\"x\"=hex:01,02,\r\n", "byte is missing"},
        {header + "\"x\"=hex:01,2\r\n", "bad byte"},
        {header + "\"x\"=hex:01,zz\r\n", "bad byte"},
        {header + "\"x\"=hex(4):01,02\r\n", "not 4 bytes"},
        {header + "\"x\"=hex(q):01\r\n", "hex(type)"},
        {header + "junk\r\n", "unexpected text"},
    };
    for (const auto& [bytes, reason] : cases) {
        SCOPED_TRACE(bytes);
        const std::string message = ParseError(bytes);
        EXPECT_NE(message.find("\"" + FileName + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
    EXPECT_NE(ParseError(header + "\"x\"=dword:0000000\r\n").find("line 4"), std::string::npos);
    // Only the first line is ever quoted, whatever line ends the file uses.
    EXPECT_EQ(ParseError("Windows Registry Editor Version 7.00\r[HKEY_CURRENT_USER\\A]\r\"x\"=dword:00000001\r"),
              "Cannot read the registry file \"" + FileName + "\": line 1: unsupported version \"7.00\"");
}

// A last line without its line end is as good as one with it.
TEST(RegistryFileFormats, TheLastLineNeedsNoLineEnd)
{
    const TRegistryFile file = TRegistryFile::Parse("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,02", FileName);
    EXPECT_EQ(TRegistryFile::FindValue(*file.FindKey("HKEY_CURRENT_USER\\A"), "x")->Bytes,
              (std::vector<std::uint8_t>{1, 2}));
}

// REGEDIT4 files are 8-bit text in code page 1252; their text is kept (and written back
// under the version 5 header) in UTF-8. A REGEDIT4 file that is valid UTF-8 is read as such.
TEST(RegistryFileFormats, Regedit4TextInCodePage1252BecomesUtf8)
{
    const TRegistryFile file = TRegistryFile::Parse(
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"Espa\xF1ol\"=\"ni\xF1o \x80\"\r\n\"h\"=hex(1):6e,69,f1,6f,00\r\n", FileName);
    const TRegistryFile::TKey* key = file.FindKey("HKEY_CURRENT_USER\\A");
    ASSERT_NE(key, nullptr);
    ASSERT_NE(TRegistryFile::FindValue(*key, "Espa\xC3\xB1ol"), nullptr);
    EXPECT_EQ(TRegistryFile::FindValue(*key, "Espa\xC3\xB1ol")->Text, "ni\xC3\xB1o \xE2\x82\xAC");
    EXPECT_EQ(TRegistryFile::FindValue(*key, "h")->Text, "ni\xC3\xB1o");
    EXPECT_NE(file.Write().find("\"Espa\xC3\xB1ol\"=\"ni\xC3\xB1o \xE2\x82\xAC\""), std::string::npos);
}

// A file cut inside a key name, a value name, a string, a dword or a hex value's continued
// line never parses as if it were whole; a cut that leaves a complete last line (a whole
// key name, string, dword or list of bytes) reads as that shorter file with the line ended.
TEST(RegistryFileBadInput, TruncationInsideALineIsAlwaysDetected)
{
    std::vector<std::string> lines = SampleBody;
    lines.insert(lines.begin(), "Windows Registry Editor Version 5.00");
    const std::string whole = Lines(lines, "\r\n");
    ASSERT_NO_THROW(TRegistryFile::Parse(whole, FileName));
    int detected = 0;
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        const std::string part = whole.substr(0, cut);
        SCOPED_TRACE("cut at " + std::to_string(cut));
        try {
            const std::string text = TRegistryFile::Parse(part, FileName).Write();
            EXPECT_EQ(text, TRegistryFile::Parse(part + "\r\n", FileName).Write());
        } catch (const ERegistryException&) {
            ++detected;
        }
    }
    EXPECT_GT(detected, 200);
    // Cut within the continued hex value, at the start of its second line.
    const std::size_t second = whole.find("  fe,ff");
    EXPECT_THROW(TRegistryFile::Parse(whole.substr(0, second), FileName), ERegistryException);
    EXPECT_THROW(TRegistryFile::Parse(whole.substr(0, second + 2), FileName), ERegistryException);
}
