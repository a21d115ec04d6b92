#include <filesystem>
#include <fstream>
#include <sstream>


#include "EngineFixture.h"
#include "engine/QsvImgFree.h"
#include "platform/Exception.h"
#include "platform/Registry.h"

namespace {

class Passwords : public EngineTest {
protected:
    TTempFolder FLogFolder{"veltrane-provider-log"};
    TScopedEnvironment FLogEnv{"VELTRANE_TEST_PROVIDER_LOG", FLogFolder.File("log")};

    // The system's password flag, as an integer.
    static void UsePassword(std::int32_t value)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Control Panel\\Desktop", true));
        registry.WriteInteger("ScreenSaveUsePassword", value);
        registry.CloseKey();
    }

    // Puts a copy of a provider into the system folder under the given name.
    void Install(const char* library, const std::string& name)
    {
        std::filesystem::copy_file(library, FSystem.File(name), std::filesystem::copy_options::overwrite_existing);
    }

    std::string Log() const
    {
        std::ifstream file(FLogFolder.File("log"));
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(Passwords, NoDesktopKeyMeansNoPassword)
{
    Install(VELTRANE_VERIFY_REFUSE, "PASSWORD.CPL");
    T_QsvImgFree engine;
    EXPECT_TRUE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "");  // the provider was not even asked
}

TEST_F(Passwords, FlagAbsentOrZeroMeansNoPassword)
{
    Install(VELTRANE_VERIFY_REFUSE, "PASSWORD.CPL");
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Control Panel\\Desktop", true));
        registry.WriteInteger("ScreenSaveActive", 1);
    }
    T_QsvImgFree engine;
    EXPECT_TRUE(engine.VerifyPassword(4711));
    UsePassword(0);
    EXPECT_TRUE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "");
}

TEST_F(Passwords, ProviderAnswersWithItsVerdict)
{
    UsePassword(1);
    T_QsvImgFree engine;
    Install(VELTRANE_VERIFY_ACCEPT, "PASSWORD.CPL");
    EXPECT_TRUE(engine.VerifyPassword(0x1200007));
    EXPECT_EQ(Log(), std::to_string(0x1200007));
    Install(VELTRANE_VERIFY_REFUSE, "PASSWORD.CPL");
    EXPECT_FALSE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "4711");
    // Any non-zero flag asks.
    UsePassword(-1);
    EXPECT_FALSE(engine.VerifyPassword(4711));
}

TEST_F(Passwords, MissingBrokenOrIncompleteProviderMeansNoPassword)
{
    UsePassword(1);
    T_QsvImgFree engine;
    EXPECT_TRUE(engine.VerifyPassword(4711));  // nothing installed
    std::ofstream(FSystem.File("PASSWORD.CPL")) << "not a shared object\n";
    EXPECT_TRUE(engine.VerifyPassword(4711));
    Install(VELTRANE_CHANGE_PROVIDER, "PASSWORD.CPL");  // no VerifyScreenSavePwd
    EXPECT_TRUE(engine.VerifyPassword(4711));
    // The name is exact: another spelling is not the provider.
    std::filesystem::remove(FSystem.File("PASSWORD.CPL"));
    Install(VELTRANE_VERIFY_REFUSE, "password.cpl");
    EXPECT_TRUE(engine.VerifyPassword(4711));
}

TEST_F(Passwords, CrashingProviderRefusesAndLeavesTheSaverRunning)
{
    UsePassword(1);
    Install(VELTRANE_VERIFY_CRASH, "PASSWORD.CPL");
    T_QsvImgFree engine;
    EXPECT_FALSE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "4711");  // it was called, and this process is still here
    EXPECT_FALSE(engine.VerifyPassword(4711));
    // The next provider that answers is heard again.
    Install(VELTRANE_VERIFY_ACCEPT, "PASSWORD.CPL");
    EXPECT_TRUE(engine.VerifyPassword(4711));
}

TEST_F(Passwords, ProviderThatCrashesWhileLoadedOrUnloadedRefuses)
{
    UsePassword(1);
    T_QsvImgFree engine;
    Install(VELTRANE_VERIFY_LOADCRASH, "PASSWORD.CPL");
    EXPECT_FALSE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "");  // it never got as far as the call
    // It accepted, then crashed on the way out: no whole answer.
    Install(VELTRANE_VERIFY_UNLOADCRASH, "PASSWORD.CPL");
    EXPECT_FALSE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "4711");
}

TEST_F(Passwords, HangingProviderRefusesAfterTheTimeout)
{
    UsePassword(1);
    Install(VELTRANE_VERIFY_HANG, "PASSWORD.CPL");
    T_QsvImgFree engine;
    EXPECT_EQ(engine.PasswordTimeout(), T_QsvImgFree::DefaultPasswordTimeout);
    engine.SetPasswordTimeout(200);
    EXPECT_FALSE(engine.VerifyPassword(4711));
    EXPECT_EQ(Log(), "4711");
}

TEST_F(Passwords, FlagOfTheWrongTypeRaises)
{
    Install(VELTRANE_VERIFY_ACCEPT, "PASSWORD.CPL");
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Control Panel\\Desktop", true));
        registry.WriteString("ScreenSaveUsePassword", "1");
    }
    T_QsvImgFree engine;
    try {
        engine.VerifyPassword(4711);
        ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), "Invalid data type for 'ScreenSaveUsePassword'");
    }
}

TEST_F(Passwords, ChangeDialogGetsTheProviderNameAndTheParent)
{
    Install(VELTRANE_CHANGE_PROVIDER, "MPR.DLL");
    T_QsvImgFree engine;
    engine.ParseCommandLine({"/a", "4711"});
    engine.ChangePassword();
    EXPECT_EQ(Log(), "SCRSAVE 4711 0 0");
    engine.ParseCommandLine({"/a"});
    engine.ChangePassword();
    EXPECT_EQ(Log(), "SCRSAVE 0 0 0");
}

TEST_F(Passwords, ChangeWithoutProviderOrEntryDoesNothing)
{
    T_QsvImgFree engine;
    engine.HostWnd = 4711;
    engine.ChangePassword();
    std::ofstream(FSystem.File("MPR.DLL")) << "not a shared object\n";
    engine.ChangePassword();
    Install(VELTRANE_VERIFY_ACCEPT, "MPR.DLL");  // no PwdChangePasswordA
    engine.ChangePassword();
    EXPECT_EQ(Log(), "");
}

} // namespace
