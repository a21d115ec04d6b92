#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/CommandLine.h"

namespace {

// Sets the process arguments for one test and puts the previous ones back.
class CommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        FSaved.push_back(ParamStr(0));
        for (const std::string& argument : ParamList())
            FSaved.push_back(argument);
    }
    void TearDown() override { SetCommandLine(FSaved); }
    std::vector<std::string> FSaved;
};

TEST_F(CommandLine, AnswersWhatTheEntryHandedOver)
{
    const char* argv[] = {"/usr/bin/veltrane", "/c:4711", "second arg", nullptr};
    SetCommandLine(3, argv);
    EXPECT_EQ(ParamCount(), 2);
    EXPECT_EQ(ParamStr(0), "/usr/bin/veltrane");
    EXPECT_EQ(ParamStr(1), "/c:4711");
    EXPECT_EQ(ParamStr(2), "second arg");
    EXPECT_EQ(ParamList(), (std::vector<std::string>{"/c:4711", "second arg"}));
}

TEST_F(CommandLine, OutOfRangeIsEmpty)
{
    SetCommandLine({"veltrane", "/s"});
    EXPECT_EQ(ParamStr(-1), "");
    EXPECT_EQ(ParamStr(2), "");
    EXPECT_EQ(ParamStr(1000), "");
}

TEST_F(CommandLine, ProgramAloneHasNoArguments)
{
    SetCommandLine({"veltrane"});
    EXPECT_EQ(ParamCount(), 0);
    EXPECT_TRUE(ParamList().empty());
    SetCommandLine(std::vector<std::string>{});
    EXPECT_EQ(ParamCount(), 0);
    EXPECT_EQ(ParamStr(0), "");
}

// Before anything is handed over, the arguments come from the system. Checked in a
// freshly started copy of this test program, where nothing has been set yet.
TEST(CommandLineFromSystem, ReadsTheProcessArguments)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool ok = ParamCount() >= 1 && ParamStr(0).find("test_platform") != std::string::npos;
            for (const std::string& argument : ParamList())
                ok = ok && argument.find('\0') == std::string::npos;
            std::exit(ok ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
