// veltrane-snapshot, what ./run does without a screen: on a private Xvfb it ends by itself
// and leaves pictures of the saver through one poster change and of the dialog's pages.

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/FileText.h"
#include "support/ProgramProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/XvfbServer.h"

namespace {

using namespace std::chrono_literals;

TEST(Snapshot, EndsByItselfLeavingTheSaverThroughAPosterChangeAndTheThreeDialogPages)
{
    TXvfbServer server(1024, 640);
    TScopedEnvironment display("DISPLAY", server.Name());
    TTempFolder folder("veltrane-snapshots");
    TProgramProcess tool(VELTRANE_SNAPSHOT, {VELTRANE_EXECUTABLE, folder.Path()}, folder.File("err"), folder.File("out"));
    ASSERT_EQ(tool.WaitExit(60s), 0) << ReadFileText(folder.File("err"));
    const char* const names[] = {"saver-1-poster.png", "saver-2-cross-fade.png", "saver-3-next-poster.png",
                                 "dialog-page1.png", "dialog-page2.png", "dialog-page3.png"};
    std::string listed;
    for (const char* name : names)
        listed += folder.File(name) + "\n";
    EXPECT_EQ(ReadFileText(folder.File("out")), listed) << "the paths, one a line";
    // Each picture shows something else: the fade lies between two posters, each page differs.
    for (std::size_t i = 0; i < std::size(names); ++i)
        for (std::size_t j = i + 1; j < std::size(names); ++j)
            EXPECT_NE(ReadFileText(folder.File(names[i])), ReadFileText(folder.File(names[j]))) << names[i] << " " << names[j];
}

} // namespace
