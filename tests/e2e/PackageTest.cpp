// The Debian package as a user gets it: packed by cpack from this build, unpacked into a
// scratch root with dpkg-deb, and the program run from there finds its own system folder.

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/FileText.h"
#include "support/ProgramProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"
#include "support/TestTree.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct TToolRun {
    std::optional<int> ExitCode;  // nothing when the tool did not end in time (it is killed)
    std::string Output;
    std::string Errors;
};

class Package : public testing::Test {
protected:
    TTempFolder FWork{"veltrane-package"};
    TTempConfigHome FConfig;
    TScopedEnvironment FNoSystemDir{"VELTRANE_SYSTEM_DIR", std::nullopt};
    TScopedEnvironment FNoDisplay{"DISPLAY", std::nullopt};

    TToolRun Run(const std::string& program, const std::vector<std::string>& arguments,
                 std::chrono::milliseconds within = 30s)
    {
        const std::string out = FWork.File("out"), err = FWork.File("err");
        TToolRun result;
        {
            TProgramProcess process(program, arguments, err, out);
            result.ExitCode = process.WaitExit(within);
        }
        result.Output = ReadFileText(out);
        result.Errors = ReadFileText(err);
        return result;
    }
};

TEST_F(Package, UnpackedIntoAScratchRootItRunsAndFindsItsSystemFolderBesideItself)
{
    const TToolRun pack = Run(VELTRANE_CPACK, {"-G", "DEB", "--config", (TestBinaryDir() / "CPackConfig.cmake").string(),
                                               "-B", FWork.File("out-deb")}, 120s);
    ASSERT_EQ(pack.ExitCode, 0) << pack.Output << pack.Errors;
    fs::path deb;
    for (const fs::directory_entry& entry : fs::directory_iterator(FWork.File("out-deb")))
        if (entry.path().extension() == ".deb")
            deb = entry.path();
    ASSERT_EQ(deb.filename().string().rfind("veltrane_" VELTRANE_VERSION "_", 0), 0u) << deb;

    // The run-time libraries come from the binary itself.
    const TToolRun depends = Run(VELTRANE_DPKG_DEB, {"-f", deb.string(), "Depends"});
    for (const char* library : {"libx11-6", "libjpeg62-turbo", "libfreetype6", "libfontconfig1", "fonts-wine"})
        EXPECT_NE(depends.Output.find(library), std::string::npos) << library << " in " << depends.Output;

    const fs::path root = FWork.File("root");
    ASSERT_EQ(Run(VELTRANE_DPKG_DEB, {"-x", deb.string(), root.string()}).ExitCode, 0);
    const fs::path usr = root / "usr";
    for (const char* file : {"bin/veltrane", "lib/veltrane/system/README", "share/xscreensaver/config/veltrane.xml",
                             "share/applications/veltrane.desktop", "share/icons/hicolor/32x32/apps/veltrane.png",
                             "share/man/man1/veltrane.1"})
        EXPECT_TRUE(fs::is_regular_file(usr / file)) << file;
    EXPECT_EQ(fs::directory_iterator(usr / "lib/veltrane/system")->path().filename(), "README")
        << "the system folder holds nothing else";

    // The desktop entry and the manual page pass their own checkers without a word.
    const TToolRun desktop = Run(VELTRANE_DESKTOP_FILE_VALIDATE, {(usr / "share/applications/veltrane.desktop").string()});
    EXPECT_EQ(desktop.ExitCode, 0);
    EXPECT_EQ(desktop.Output + desktop.Errors, "");
    const TToolRun manual = Run(VELTRANE_GROFF, {"-man", "-Tutf8", "-ww", "-z", (usr / "share/man/man1/veltrane.1").string()});
    EXPECT_EQ(manual.ExitCode, 0);
    EXPECT_EQ(manual.Errors, "");

    const std::string program = (usr / "bin/veltrane").string();
    const TToolRun version = Run(program, {"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Output, "veltrane " VELTRANE_VERSION "\n");

    // A password-change provider put into the unpacked system folder is the one /a calls.
    fs::copy_file(VELTRANE_CHANGE_PROVIDER, usr / "lib/veltrane/system/MPR.DLL");
    TScopedEnvironment log("VELTRANE_TEST_PROVIDER_LOG", FWork.File("provider-log"));
    const TToolRun change = Run(program, {"/a", "4711"});
    EXPECT_EQ(change.ExitCode, 0) << change.Errors;
    EXPECT_EQ(ReadFileText(FWork.File("provider-log")), "SCRSAVE 4711 0 0");
}

} // namespace
