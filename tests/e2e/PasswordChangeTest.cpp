// `veltrane /a` as the screen-saver host runs it: the password-change provider MPR.DLL in
// the system folder is called with the provider name and the parent window.

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"

namespace {

class PasswordChange : public testing::Test {
protected:
    TTempConfigHome FConfig;
    TTempFolder FRuntime{"veltrane-runtime"};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
    TTempFolder FSystem{"veltrane-system"};
    TScopedEnvironment FSystemEnv{"VELTRANE_SYSTEM_DIR", FSystem.Path()};
    TScopedEnvironment FNoDisplay{"DISPLAY", std::nullopt};
    TTempFolder FLog{"veltrane-provider-log"};
    TScopedEnvironment FLogEnv{"VELTRANE_TEST_PROVIDER_LOG", FLog.File("log")};

    // The exit code of the executable run with the switches.
    int Run(std::vector<std::string> switches)
    {
        std::string program = VELTRANE_EXECUTABLE;
        switches.insert(switches.begin(), program);
        const pid_t pid = ::fork();
        if (pid == 0) {
            std::vector<char*> argv;
            for (std::string& argument : switches)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        int status = 0;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

    std::string Log() const
    {
        std::ifstream file(FLog.File("log"));
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(PasswordChange, ProviderGetsScrsaveAndTheHostWindow)
{
    std::filesystem::copy_file(VELTRANE_CHANGE_PROVIDER, FSystem.File("MPR.DLL"));
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
    std::ofstream(FSystem.File("MPR.DLL")) << "not a library";
    EXPECT_EQ(Run({"/a", "4711"}), 0);
    EXPECT_EQ(Log(), "");
}

} // namespace
