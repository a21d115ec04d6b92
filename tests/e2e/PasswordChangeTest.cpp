// `veltrane /a` as the screen-saver host runs it: the password-change provider MPR.DLL in
// the system folder is called with the provider name and the parent window.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/ProgramProcess.h"
#include "support/FileText.h"
#include "support/PrivateEnvironment.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace {

class PasswordChange : public testing::Test {
protected:
    TPrivateEnvironment FEnvironment;
    TScopedEnvironment FNoDisplay{"DISPLAY", std::nullopt};
    TTempFolder FLog{"veltrane-provider-log"};
    TScopedEnvironment FLogEnv{"VELTRANE_TEST_PROVIDER_LOG", FLog.File("log")};

    // The exit code of the executable run with the switches.
    int Run(const std::vector<std::string>& switches)
    {
        return TProgramProcess(VELTRANE_EXECUTABLE, switches).Wait();
    }

    std::string Log() const { return ReadFileText(FLog.File("log")); }
};

TEST_F(PasswordChange, ProviderGetsScrsaveAndTheHostWindow)
{
    std::filesystem::copy_file(VELTRANE_CHANGE_PROVIDER, FEnvironment.System().File("MPR.DLL"));
    EXPECT_EQ(Run({"/a", "4711"}), 0);
    EXPECT_EQ(Log(), "SCRSAVE 4711 0 0");
    EXPECT_EQ(Run({"-A:0x12"}), 0);
    EXPECT_EQ(Log(), "SCRSAVE 18 0 0");
    EXPECT_EQ(Run({"/a"}), 0);
    EXPECT_EQ(Log(), "SCRSAVE 0 0 0");
}

TEST_F(PasswordChange, NoProviderDoesNothingAndEndsWithZero)
{
    EXPECT_EQ(Run({"/a", "4711"}), 0);
    std::ofstream(FEnvironment.System().File("MPR.DLL")) << "not a library";
    EXPECT_EQ(Run({"/a", "4711"}), 0);
    EXPECT_EQ(Log(), "");
}

} // namespace
