// The built executable, run as the screen-saver host runs it: switches in, exit code
// and standard error out. None of these need an X server.

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "support/ProgramProcess.h"
#include "support/FileText.h"
#include "support/PrivateEnvironment.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"
#include "support/XvfbServer.h"

namespace {

struct TRunResult {
    int ExitCode = -1;  // -1 when the program did not end by itself
    std::string Output;
    std::string Errors;
};

class Entry : public testing::Test {
protected:
    TPrivateEnvironment FEnvironment;
    TTempFolder FCapture{"veltrane-capture"};
    // No display server: the preview has no host window to draw into.
    TScopedEnvironment FNoDisplay{"DISPLAY", std::nullopt};

    // Runs the executable with the switches, in this test's environment.
    TRunResult Run(const std::vector<std::string>& switches)
    {
        const std::string outPath = FCapture.File("stdout"), errPath = FCapture.File("stderr");
        TRunResult result;
        result.ExitCode = TProgramProcess(VELTRANE_EXECUTABLE, switches, errPath, outPath).Wait();
        result.Output = ReadFileText(outPath);
        result.Errors = ReadFileText(errPath);
        return result;
    }

    void StoreString(std::string_view name, std::string_view value)
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Tessivo\\QM_Veltrane", true));
        registry.WriteString(name, value);
        registry.CloseKey();
    }
};

// The last-chance text for a registry value of the wrong type.
std::regex WrongTypeText(const std::string& valueName)
{
    return std::regex("Exception ERegistryException in module veltrane at [0-9A-F]{" +
                      std::to_string(sizeof(void*) * 2) + "}\\.\r\nInvalid data type for '" + valueName +
                      "'\r\n");
}

TEST_F(Entry, ViewTypeOfStringTypeEndsInTheLastChanceHandler)
{
    StoreString("View Type", "2");
    TRunResult result = Run({"/s"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_TRUE(std::regex_match(result.Errors, WrongTypeText("View Type"))) << result.Errors;
    EXPECT_EQ(result.Output, "");
}

TEST_F(Entry, WrongTypeFailsEveryModeBeforeItsBranch)
{
    StoreString("Image time view", "ten");
    for (const std::vector<std::string>& switches :
         {std::vector<std::string>{"/c"}, {"/p", "4711"}, {"/a"}, {}}) {
        TRunResult result = Run(switches);
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_TRUE(std::regex_match(result.Errors, WrongTypeText("Image time view"))) << result.Errors;
    }
}

TEST_F(Entry, UnreadableStoreIsReportedAndLeftAsItWas)
{
    std::filesystem::create_directories(std::filesystem::path(FEnvironment.Config().StoreFile()).parent_path());
    const std::string garbage = "REGEDIT9\r\n[broken\r\n\x01\x02\x03";
    std::ofstream(FEnvironment.Config().StoreFile(), std::ios::binary) << garbage;
    TRunResult result = Run({"/c"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Errors.rfind("Exception ERegistryException in module veltrane at ", 0), 0u) << result.Errors;
    EXPECT_NE(result.Errors.find(FEnvironment.Config().StoreFile()), std::string::npos) << result.Errors;
    EXPECT_EQ(ReadFileText(FEnvironment.Config().StoreFile()), garbage);
}

TEST_F(Entry, ConfigurationWithoutADisplayReportsItAndEndsWithOne)
{
    // The dialog needs the display; the window number after /c is not used.
    const std::regex text("Exception EDisplayError in module veltrane at [0-9A-F]{" +
                          std::to_string(sizeof(void*) * 2) +
                          "}\\.\r\nCannot open the display[^\r]*\\.\r\n");
    for (const std::vector<std::string>& switches : {std::vector<std::string>{"/c"}, {"/c:4711"}, {"-C", "4711"}}) {
        TRunResult result = Run(switches);
        EXPECT_EQ(result.ExitCode, 1) << switches[0];
        EXPECT_TRUE(std::regex_match(result.Errors, text)) << result.Errors;
        EXPECT_EQ(result.Output, "");
    }
}

TEST_F(Entry, HelpAndVersionAnswerOnStandardOutputWithoutADisplay)
{
    TRunResult help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_EQ(help.Errors, "");
    for (const char* word : {"Usage: veltrane", "/s ", "/p <window>", "/c ", "/a <window>", "--version", "veltrane(1)"})
        EXPECT_NE(help.Output.find(word), std::string::npos) << word << " in\n" << help.Output;
    TRunResult version = Run({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Output, "veltrane " VELTRANE_VERSION "\n");
    // Only the first argument is read as one of the two words; "-help" stays a switch
    // (unknown switches start the saver, which needs the display).
    EXPECT_EQ(Run({"-help"}).ExitCode, 1);
}

TEST_F(Entry, PreviewAndPasswordChangeRunAndEndWithZero)
{
    // Without a display server and without a password provider there is nothing to show.
    for (const std::vector<std::string>& switches : {std::vector<std::string>{"/p", "4711"},
                                                     {"/l", "0x1200007"},
                                                     {"/p"},
                                                     {"/a", "4711"},
                                                     {"-A"},
                                                     {"/a:12"}}) {
        TRunResult result = Run(switches);
        EXPECT_EQ(result.ExitCode, 0) << switches[0];
        EXPECT_EQ(result.Errors, "") << switches[0];
        EXPECT_EQ(result.Output, "") << switches[0];
    }
}

TEST_F(Entry, SecondSaverEndsAtOnceWithZero)
{
    TSingleInstance running("QM_Veltrane");
    ASSERT_TRUE(running.Acquired());
    TRunResult result = Run({"/s"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Errors, "");
    EXPECT_EQ(result.Output, "");
    // The guard belongs to the saver mode only: the dialog goes on to need its display.
    const TRunResult dialog = Run({"/c"});
    EXPECT_EQ(dialog.ExitCode, 1);
    EXPECT_NE(dialog.Errors.find("Cannot open the display"), std::string::npos) << dialog.Errors;
}

TEST_F(Entry, SaverWithoutADisplayReportsItAndEndsWithOne)
{
    // The saver, the default mode and every unknown switch need the display.
    const std::regex text("Exception EDisplayError in module veltrane at [0-9A-F]{" +
                          std::to_string(sizeof(void*) * 2) +
                          "}\\.\r\nCannot open the display\\.\r\n");
    for (const std::vector<std::string>& switches :
         {std::vector<std::string>{"/s"}, {}, {"/x", "99"}, {"-S"}, {"/-s"}, {"s"}}) {
        TRunResult result = Run(switches);
        EXPECT_EQ(result.ExitCode, 1) << (switches.empty() ? "" : switches[0]);
        EXPECT_TRUE(std::regex_match(result.Errors, text)) << result.Errors;
        EXPECT_EQ(result.Output, "");
    }
}

// A lock planted where the saver would look (a runtime folder anyone may write to, the lock
// in it held) does not stop the saver: it passes the guard and goes on to need its display.
TEST_F(Entry, APlantedLockDoesNotStopTheSaver)
{
    TTempFolder open("veltrane-open");
    std::filesystem::permissions(open.Path(), std::filesystem::perms::all);
    TScopedEnvironment runtime("XDG_RUNTIME_DIR", open.Path());
    TScopedEnvironment temporary("TMPDIR", FCapture.Path());
    const int planted = ::open(open.File("QM_Veltrane.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_GE(planted, 0);
    ASSERT_EQ(::flock(planted, LOCK_EX), 0);
    const TRunResult result = Run({"/s"});
    ::close(planted);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Errors.find("Cannot open the display"), std::string::npos) << result.Errors;
}

TEST_F(Entry, SaverReleasesTheInstanceWhenItEnds)
{
    EXPECT_EQ(Run({"/s"}).ExitCode, 1);
    TSingleInstance after("QM_Veltrane");
    EXPECT_TRUE(after.Acquired());
}

TEST_F(Entry, ValidSettingsDoNotDisturbTheBranch)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Tessivo\\QM_Veltrane", true));
        registry.WriteInteger("Image time view", 25);
        registry.WriteInteger("View Type", 1);
        registry.WriteInteger("Language", 1);
        registry.CloseKey();
    }
    std::string before = ReadFileText(FEnvironment.Config().StoreFile());
    TRunResult result = Run({"/p", "12"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Errors, "");
    // Starting never writes the settings.
    EXPECT_EQ(ReadFileText(FEnvironment.Config().StoreFile()), before);
}

// A test killed by ctest's time limit, or ended by a library's exit(), takes what it
// started with it: no program or server is left holding the run's output open.
TEST(LaunchedProgram, EndsWithTheTestProcessThatStartedIt)
{
    // This process adopts what the killed test leaves behind, and so sees it end.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t test = ::fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        // The doomed test: a server and a program of its own, then it waits to be killed.
        try {
            TXvfbServer server(64, 48);
            TProgramProcess program("/bin/sleep", {"60"});
            const pid_t started[2] = {server.Pid(), program.Pid()};
            if (::write(fds[1], started, sizeof started) == static_cast<ssize_t>(sizeof started))
                ::pause();
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(fds[1]);
    pid_t started[2] = {0, 0};
    const bool told = ::read(fds[0], started, sizeof started) == static_cast<ssize_t>(sizeof started);
    ::close(fds[0]);
    ::kill(test, SIGKILL);
    ::waitpid(test, nullptr, 0);
    ASSERT_TRUE(told) << "the doomed test could not start its server and program";
    for (const pid_t pid : started) {
        const bool ended = WaitUntil([&] { return ::waitpid(pid, nullptr, WNOHANG) == pid; }, std::chrono::seconds(5));
        EXPECT_TRUE(ended) << "process " << pid << " outlived its test";
        if (!ended) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
}

} // namespace
