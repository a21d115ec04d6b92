#include "platform/Exception.h"
#include "platform/Registry.h"
#include "platform/RegistryFile.h"

#include "support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>

namespace {

const char* const SaverKey = "Software\\Tessivo\\QM_Veltrane";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "(no error)";
}

class RegistryStore : public ::testing::Test {
protected:
    TTempConfigHome FHome;
};

}  // namespace

TEST_F(RegistryStore, StorePathFollowsTheConfigHome)
{
    EXPECT_EQ(TRegistry::StorePath(), FHome.Path() + "/veltrane/user.reg");
    EXPECT_EQ(FHome.StoreFile(), TRegistry::StorePath());
}

TEST_F(RegistryStore, IntegersStringsAndBinaryDataSurviveANewObject)
{
    const std::vector<std::uint8_t> blob = {0, 1, 2, 0xFE, 0xFF};
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("Image time view", 999);
        registry.WriteInteger("Negative", -2);
        registry.WriteInteger("Smallest", INT32_MIN);
        registry.WriteString("Name", "C:\\dir \"quoted\" ni\xC3\xB1o");
        registry.WriteString("Two lines", "a\r\nb");
        registry.WriteBinaryData("Blob", blob);
        registry.CloseKey();
    }
    const std::string text = ReadBytes(FHome.StoreFile());
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Image time view\"=dword:000003e7\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Negative\"=dword:fffffffe\r\n"), std::string::npos);

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, false));
    EXPECT_EQ(registry.ReadInteger("Image time view"), 999);
    EXPECT_EQ(registry.ReadInteger("Negative"), -2);
    EXPECT_EQ(registry.ReadInteger("Smallest"), INT32_MIN);
    EXPECT_EQ(registry.ReadString("Name"), "C:\\dir \"quoted\" ni\xC3\xB1o");
    EXPECT_EQ(registry.ReadString("Two lines"), "a\r\nb");
    EXPECT_EQ(registry.ReadBinaryData("Blob"), blob);
    EXPECT_EQ(registry.GetDataType("Image time view"), TRegDataType::rdInteger);
    EXPECT_EQ(registry.GetDataType("Name"), TRegDataType::rdString);
    EXPECT_EQ(registry.GetDataType("Blob"), TRegDataType::rdBinary);
    EXPECT_EQ(registry.GetDataType("Absent"), TRegDataType::rdUnknown);
}

TEST_F(RegistryStore, OpeningWithoutCreatingAnAbsentKeyFailsAndWritesNothing)
{
    {
        TRegistry registry;
        EXPECT_FALSE(registry.OpenKey(SaverKey, false));
        EXPECT_FALSE(registry.OpenKeyReadOnly(SaverKey));
        EXPECT_FALSE(registry.KeyExists(SaverKey));
        EXPECT_FALSE(registry.ValueExists("Image time view"));
        EXPECT_THROW(registry.WriteInteger("x", 1), ERegistryException);
    }
    EXPECT_FALSE(std::filesystem::exists(FHome.StoreFile()));
}

TEST_F(RegistryStore, CreatingAKeyCreatesThePathAboveIt)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.CloseKey();  // an empty new key is saved too
    }
    TRegistry registry;
    EXPECT_TRUE(registry.KeyExists("Software"));
    EXPECT_TRUE(registry.KeyExists("Software\\Tessivo"));
    EXPECT_TRUE(registry.KeyExists("\\Software\\Tessivo\\QM_Veltrane\\"));
    EXPECT_FALSE(registry.KeyExists("Software\\Tess"));
    EXPECT_FALSE(registry.KeyExists("Software\\Tessivo\\QM_Veltrane\\Below"));
    EXPECT_TRUE(registry.OpenKey("Software\\Tessivo", false));
    // Paths start at the root whatever key is open.
    EXPECT_FALSE(registry.OpenKey("QM_Veltrane", false));
    EXPECT_TRUE(registry.OpenKey(SaverKey, false));
    EXPECT_TRUE(registry.OpenKey("\\Software\\Tessivo", false));
}

TEST_F(RegistryStore, KeyPathsAndValueNamesIgnoreCase)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("View Type", 1);
    }
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\tessivo\\qm_veltrane", false));
    EXPECT_TRUE(registry.ValueExists("VIEW TYPE"));
    EXPECT_EQ(registry.ReadInteger("view type"), 1);
    registry.WriteInteger("VIEW TYPE", 2);  // replaces the value, keeps one
    registry.CloseKey();
    const std::string text = ReadBytes(FHome.StoreFile());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]"), std::string::npos);
    const TRegistryFile file = TRegistryFile::Parse(text, "x");
    ASSERT_EQ(file.Keys().size(), 1u);
    ASSERT_EQ(file.Keys()[0].Values.size(), 1u);
    EXPECT_EQ(file.Keys()[0].Values[0].Number, 2u);
}

TEST_F(RegistryStore, WrongTypesAndMissingValuesRaiseTheirMessages)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, true));
    registry.WriteString("View Type", "2");
    registry.WriteInteger("Language", 1);
    registry.WriteBinaryData("Blob", {1});
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("View Type"); }), "Invalid data type for 'View Type'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Blob"); }), "Invalid data type for 'Blob'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadString("Language"); }), "Invalid data type for 'Language'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadBinaryData("Language"); }), "Invalid data type for 'Language'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Image time view"); }), "Failed to get data for 'Image time view'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadString("None"); }), "Failed to get data for 'None'");
    try {
        registry.ReadInteger("View Type");
    } catch (const Exception& error) {
        EXPECT_STREQ(error.ClassName(), "ERegistryException");
    }
}

TEST_F(RegistryStore, DeletedValuesStayDeleted)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("A", 1);
        registry.WriteInteger("B", 2);
    }
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, false));
        EXPECT_TRUE(registry.DeleteValue("a"));
        EXPECT_FALSE(registry.DeleteValue("a"));
        EXPECT_FALSE(registry.ValueExists("A"));
    }
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, false));
    EXPECT_FALSE(registry.ValueExists("A"));
    EXPECT_EQ(registry.ReadInteger("B"), 2);
}

TEST_F(RegistryStore, ReadOnlyKeysRefuseWrites)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("A", 1);
    }
    const std::string before = ReadBytes(FHome.StoreFile());
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKeyReadOnly(SaverKey));
        EXPECT_EQ(registry.ReadInteger("A"), 1);
        EXPECT_EQ(ErrorOf([&] { registry.WriteInteger("A", 2); }), "Failed to set data for 'A'");
        EXPECT_FALSE(registry.DeleteValue("A"));
    }
    EXPECT_EQ(ReadBytes(FHome.StoreFile()), before);
}

TEST_F(RegistryStore, NamesWithLineBreaksAreRefusedRatherThanBreakingTheFile)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, true));
    EXPECT_THROW(registry.WriteInteger("a\nb", 1), ERegistryException);
    EXPECT_FALSE(registry.OpenKey("Software\\bad\r\nkey", true));
    registry.WriteInteger("Fine", 1);
    registry.CloseKey();
    EXPECT_NO_THROW(TRegistryFile::Parse(ReadBytes(FHome.StoreFile()), "x"));
}

// A store written by hand or by the system's editor is read as it stands.
TEST_F(RegistryStore, ReadsAHandWrittenRegedit4File)
{
    WriteBytes(FHome.StoreFile(),
               "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]\n"
               "\"Image time view\"=dword:0000001e\n\"View Type\"=\"2\"\n\n"
               "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=dword:00000000\n");
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, false));
    EXPECT_EQ(registry.ReadInteger("Image time view"), 30);
    EXPECT_EQ(registry.GetDataType("View Type"), TRegDataType::rdString);
    registry.CloseKey();
    ASSERT_TRUE(registry.OpenKey("Control Panel\\Desktop", false));
    EXPECT_EQ(registry.ReadInteger("ScreenSaveUsePassword"), 0);
}

TEST_F(RegistryStore, SavingKeepsOtherKeysAndValuesOfTheFile)
{
    WriteBytes(FHome.StoreFile(),
               "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
               "\"ScreenSaveUsePassword\"=dword:00000001\r\n\"Wall\"=hex(2):41,00,00,00\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n@=\"kept\"\r\n");
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("Language", 1);
    }
    const TRegistryFile file = TRegistryFile::Parse(ReadBytes(FHome.StoreFile()), "x");
    const TRegistryFile::TKey* desktop = file.FindKey("HKEY_CURRENT_USER\\Control Panel\\Desktop");
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(TRegistryFile::FindValue(*desktop, "ScreenSaveUsePassword")->Number, 1u);
    EXPECT_EQ(TRegistryFile::FindValue(*desktop, "Wall")->Bytes, (std::vector<std::uint8_t>{0x41, 0, 0, 0}));
    const TRegistryFile::TKey* other = file.FindKey("HKEY_LOCAL_MACHINE\\Software\\Other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(TRegistryFile::FindValue(*other, "")->Text, "kept");
    EXPECT_EQ(TRegistryFile::FindValue(*file.FindKey("HKEY_CURRENT_USER\\" + std::string(SaverKey)), "Language")->Number, 1u);
}

TEST_F(RegistryStore, AnUnreadableStoreIsReportedAndNeverOverwritten)
{
    const std::vector<std::pair<const char*, std::string>> bad = {
        {"empty", ""},
        {"truncated", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Vel"},
        {"truncated value", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]\n\"Image time view\"=dword:000"},
        {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\x00\x13", 20)},
        {"wrong version", "Windows Registry Editor Version 7.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n"},
    };
    for (const auto& [label, bytes] : bad) {
        SCOPED_TRACE(label);
        WriteBytes(FHome.StoreFile(), bytes);
        {
            TRegistry registry;
            const std::string message = ErrorOf([&] { registry.OpenKey(SaverKey, true); });
            EXPECT_NE(message.find(FHome.StoreFile()), std::string::npos) << message;
            EXPECT_THROW(registry.OpenKey(SaverKey, false), ERegistryException);
            EXPECT_THROW(registry.KeyExists(SaverKey), ERegistryException);
            EXPECT_THROW(registry.WriteInteger("x", 1), ERegistryException);  // nothing is open
        }
        EXPECT_EQ(ReadBytes(FHome.StoreFile()), bytes);
    }
}

TEST_F(RegistryStore, AStoreDamagedBeforeTheSaveIsLeftAsItIs)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, true));
    registry.WriteInteger("Language", 1);
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"v\"=dword:1\n";
    WriteBytes(FHome.StoreFile(), damaged);
    const std::string message = ErrorOf([&] { registry.CloseKey(); });
    EXPECT_NE(message.find(FHome.StoreFile()), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(FHome.StoreFile()), damaged);
}

TEST_F(RegistryStore, AFailedSaveIsReported)
{
    // The store's folder is a plain file, so nothing can be saved there.
    WriteBytes(FHome.Path() + "/veltrane", "not a folder");
    TRegistry registry;
    EXPECT_THROW(registry.OpenKey(SaverKey, false), ERegistryException);
    std::filesystem::remove(FHome.Path() + "/veltrane");
    ASSERT_TRUE(registry.OpenKey(SaverKey, true));
    registry.WriteInteger("Language", 1);
    WriteBytes(FHome.Path() + "/veltrane", "not a folder");
    const std::string message = ErrorOf([&] { registry.CloseKey(); });
    EXPECT_NE(message.find("Cannot"), std::string::npos) << message;
    EXPECT_NE(message.find(FHome.StoreFile()), std::string::npos) << message;
}

TEST_F(RegistryStore, TwoObjectsWritingDifferentValuesKeepBoth)
{
    TRegistry first;
    TRegistry second;
    ASSERT_TRUE(first.OpenKey(SaverKey, true));
    ASSERT_TRUE(second.OpenKey(SaverKey, true));
    first.WriteInteger("Image time view", 20);
    second.WriteInteger("Language", 1);
    first.CloseKey();
    second.CloseKey();

    TRegistry reader;
    ASSERT_TRUE(reader.OpenKey(SaverKey, false));
    EXPECT_EQ(reader.ReadInteger("Image time view"), 20);
    EXPECT_EQ(reader.ReadInteger("Language"), 1);
    // A later open sees what others saved in the meantime.
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(SaverKey, false));
    writer.WriteInteger("View Type", 0);
    writer.CloseKey();
    ASSERT_TRUE(reader.OpenKey(SaverKey, false));
    EXPECT_EQ(reader.ReadInteger("View Type"), 0);
}

TEST_F(RegistryStore, SavesReplaceTheFileAndKeepItsMode)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("A", 1);
    }
    ::chmod(FHome.StoreFile().c_str(), 0640);
    struct stat before {};
    ASSERT_EQ(::stat(FHome.StoreFile().c_str(), &before), 0);
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("A", 2);
    }
    struct stat after {};
    ASSERT_EQ(::stat(FHome.StoreFile().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);  // renamed into place, not rewritten in place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    for (const auto& entry : std::filesystem::directory_iterator(FHome.Path() + "/veltrane"))
        EXPECT_TRUE(entry.path().filename() == "user.reg" || entry.path().filename() == "user.reg.lock")
            << entry.path();
}

// A store kept as a link (dotfiles under version control) is written through to the file it
// names; the save's temporary file lives beside that file and is the only one it removes.
TEST_F(RegistryStore, ASymbolicLinkToTheStoreIsKept)
{
    const std::string real = FHome.Path() + "/dotfiles/elsewhere.reg";
    WriteBytes(real, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tessivo\\QM_Veltrane]\n\"A\"=dword:00000001\n");
    WriteBytes(real + ".tmp-mine", "the user's own file");
    std::filesystem::create_directories(FHome.Path() + "/veltrane");
    std::filesystem::create_symlink(real, FHome.StoreFile());
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, false));
        registry.WriteInteger("A", 5);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(FHome.StoreFile()));
    EXPECT_NE(ReadBytes(real).find("\"A\"=dword:00000005"), std::string::npos);
    EXPECT_EQ(ReadBytes(real + ".tmp-mine"), "the user's own file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FHome.Path() + "/dotfiles"),
                            std::filesystem::directory_iterator()), 2);
}

// Opening a FIFO would wait for a writer for ever; anything but a regular file is refused at once.
TEST_F(RegistryStore, AStoreThatIsNoRegularFileIsRefusedAtOnce)
{
    std::filesystem::create_directories(FHome.Path() + "/veltrane");
    ASSERT_EQ(::mkfifo(FHome.StoreFile().c_str(), 0600), 0);
    TRegistry registry;
    const std::string message = ErrorOf([&] { registry.OpenKey(SaverKey, true); });
    EXPECT_EQ(message, "Cannot read the registry file \"" + FHome.StoreFile() + "\": not a regular file");
    EXPECT_TRUE(std::filesystem::is_fifo(FHome.StoreFile()));
}
