#include "platform/Shell.h"

#include "platform/Exception.h"

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

// A stand-in opener that appends its arguments to a file, optionally after a pause.
void WriteOpener(const TTempFolder& folder, const std::string& pause = "") {
    const std::string script = folder.File("xdg-open");
    std::ofstream out(script);
    out << "#!/bin/sh\n" << pause << "printf '%s|%s\\n' \"$#\" \"$1\" >> '" << folder.File("opened") << "'\n";
    out.close();
    ::chmod(script.c_str(), 0755);
}

// The file's text once it has some, waiting up to five seconds.
std::string WaitForText(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        if (!text.str().empty() && text.str().back() == '\n') return text.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

std::string MessageOf(const std::string& address) {
    try {
        OpenAddress(address);
    } catch (const EOSError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(Shell, OpensTheAddressAsOneArgument) {
    TTempFolder folder;
    WriteOpener(folder);
    TScopedEnvironment path("PATH", folder.Path());
    OpenAddress("mailto:someone@example.org?subject=a b; $(x)");
    EXPECT_EQ(WaitForText(folder.File("opened")), "1|mailto:someone@example.org?subject=a b; $(x)\n");
}

TEST(Shell, DoesNotWaitForTheOpener) {
    TTempFolder folder;
    // The opener finishes only once the test has seen the call return and says "go".
    WriteOpener(folder, "i=0; while [ ! -e '" + folder.File("go") + "' ] && [ $i -lt 500 ]; do sleep 0.02; i=$((i+1)); done\n");
    TScopedEnvironment path("PATH", folder.Path() + ":/bin:/usr/bin");
    OpenAddress("https://example.org/");
    EXPECT_FALSE(std::ifstream(folder.File("opened")).good()) << "the call waited for the opener";
    std::ofstream(folder.File("go")).put('\n');
    EXPECT_EQ(WaitForText(folder.File("opened")), "1|https://example.org/\n");
}

TEST(Shell, MissingOpenerRaisesAClearError) {
    TTempFolder folder;
    TScopedEnvironment path("PATH", folder.Path());
    EXPECT_EQ(MessageOf("https://example.org/"), "Cannot open \"https://example.org/\": xdg-open was not found");
}

TEST(Shell, OpenerThatCannotRunRaises) {
    TTempFolder folder;
    {
        std::ofstream out(folder.File("xdg-open"));
        out << "#!/nonexistent/interpreter\n";
    }
    ::chmod(folder.File("xdg-open").c_str(), 0755);
    TScopedEnvironment path("PATH", folder.Path());
    EXPECT_NE(MessageOf("https://example.org/").find("Cannot open \"https://example.org/\": xdg-open: "),
              std::string::npos);
}

TEST(Shell, EmptyAddressesAndOptionsAreRefused) {
    TTempFolder folder;
    WriteOpener(folder);
    TScopedEnvironment path("PATH", folder.Path());
    EXPECT_EQ(MessageOf(""), "Cannot open \"\": the address is empty");
    EXPECT_EQ(MessageOf("--help"), "Cannot open \"--help\": an address cannot start with '-'");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(folder.File("opened"));
    EXPECT_FALSE(in.good());
}
