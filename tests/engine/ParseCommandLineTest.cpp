#include <vector>

#include "EngineFixture.h"
#include "engine/QsvImgFree.h"
#include "platform/CommandLine.h"

namespace {

struct TCase {
    std::vector<std::string> Arguments;
    TSaverMode Mode;
    std::uint32_t HostWnd;
};

std::string Describe(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += "[" + argument + "]";
    return text.empty() ? "(none)" : text;
}

class ParseCommandLine : public EngineTest {
protected:
    void Check(const std::vector<TCase>& cases)
    {
        T_QsvImgFree engine;
        for (const TCase& c : cases) {
            engine.HostWnd = 12345;  // must not survive a parse
            engine.ParseCommandLine(c.Arguments);
            EXPECT_EQ(static_cast<int>(engine.Mode), static_cast<int>(c.Mode)) << Describe(c.Arguments);
            EXPECT_EQ(engine.HostWnd, c.HostWnd) << Describe(c.Arguments);
        }
    }
};

constexpr TSaverMode Saver = TSaverMode::smSaver;
constexpr TSaverMode Preview = TSaverMode::smPreview;
constexpr TSaverMode Configure = TSaverMode::smConfigure;
constexpr TSaverMode Password = TSaverMode::smChangePassword;

TEST_F(ParseCommandLine, NoArgumentsIsTheSaverWithoutWindow)
{
    Check({{{}, Saver, 0}});
}

TEST_F(ParseCommandLine, EverySaverSpelling)
{
    Check({{{"/s"}, Saver, 0},
           {{"/S"}, Saver, 0},
           {{"-s"}, Saver, 0},
           {{"s"}, Saver, 0},
           {{"/-s"}, Saver, 0},
           {{"/-S"}, Saver, 0},
           {{"/s", "77"}, Saver, 77}});
}

TEST_F(ParseCommandLine, ConfigurationWithAndWithoutWindow)
{
    Check({{{"/c"}, Configure, 0},
           {{"/C"}, Configure, 0},
           {{"/c:4711"}, Configure, 4711},
           {{"-c:4711"}, Configure, 4711},
           {{"/C:4711"}, Configure, 4711},
           {{"/c", "4711"}, Configure, 4711},
           {{"c:4711"}, Configure, 4711},
           // the colon form wins over a second argument
           {{"/c:4711", "99"}, Configure, 4711},
           // "c:" is too short for the colon form: the text "c:" is no number
           {{"/c:"}, Configure, 0},
           {{"/c:", "5"}, Configure, 5}});
}

TEST_F(ParseCommandLine, PreviewAndPasswordChange)
{
    Check({{{"/p", "4711"}, Preview, 4711},
           {{"/l", "4711"}, Preview, 4711},
           {{"/P", "4711"}, Preview, 4711},
           {{"-l", "4711"}, Preview, 4711},
           {{"/p"}, Preview, 0},
           {{"/p:4711"}, Preview, 4711},
           {{"/a", "4711"}, Password, 4711},
           {{"/A"}, Password, 0},
           {{"/a:12"}, Password, 12}});
}

TEST_F(ParseCommandLine, UnknownLettersRunTheSaver)
{
    Check({{{"/x", "99"}, Saver, 99},
           {{"/z"}, Saver, 0},
           {{"/x:99"}, Saver, 99},
           {{"/1"}, Saver, 1},
           {{"42"}, Saver, 42}});
}

TEST_F(ParseCommandLine, PrefixesAreStrippedOnceEachInOrder)
{
    Check({{{"/"}, Saver, 0},
           {{"-"}, Saver, 0},
           {{"/-"}, Saver, 0},
           // a second slash stays and is no mode letter
           {{"//c"}, Saver, 0},
           // only one dash is removed: "-c" is left, its first character is "-"
           {{"--c"}, Saver, 0},
           // a dash before a slash: the slash is not removed
           {{"-/c"}, Saver, 0},
           {{""}, Saver, 0},
           {{"", "9"}, Saver, 9},
           // the switch text is used whole when there is no colon and no second argument
           {{"/preview"}, Preview, 0},
           {{"/c4711"}, Configure, 0}});
}

TEST_F(ParseCommandLine, HexadecimalWindowNumbers)
{
    Check({{{"/p", "0x1A2B"}, Preview, 0x1A2B},
           {{"/p", "0X1a2b"}, Preview, 0x1A2B},
           {{"/c:0x10"}, Configure, 16},
           {{"/C:0XAB"}, Configure, 0xAB},
           {{"/p", "0xFFFFFFFF"}, Preview, 0xFFFFFFFFu},
           {{"/p", "0x0"}, Preview, 0}});
}

TEST_F(ParseCommandLine, MalformedWindowNumbersGiveZero)
{
    Check({{{"/p", "abc"}, Preview, 0},
           {{"/p", ""}, Preview, 0},
           {{"/p", "12a"}, Preview, 0},
           {{"/p", "1 2"}, Preview, 0},
           {{"/p", " 12"}, Preview, 0},
           {{"/p", "-5"}, Preview, 0},
           {{"/p", "-0"}, Preview, 0},
           {{"/p", "+5"}, Preview, 0},
           {{"/p", "0x"}, Preview, 0},
           {{"/p", "0xg1"}, Preview, 0},
           {{"/p", "12.5"}, Preview, 0},
           {{"/c:-1"}, Configure, 0},
           {{"/c:x"}, Configure, 0}});
}

TEST_F(ParseCommandLine, WindowNumbersBeyondThirtyTwoBitsGiveZero)
{
    Check({{{"/p", "4294967295"}, Preview, 4294967295u},
           {{"/p", "4294967296"}, Preview, 0},
           {{"/p", "99999999999999999999999"}, Preview, 0},
           {{"/p", "0x100000000"}, Preview, 0},
           {{"/p", "0x0000000012"}, Preview, 0x12},
           {{"/p", "00004711"}, Preview, 4711}});
}

// Sets the process arguments for one test and puts the previous ones back.
class ProcessArguments : public EngineTest {
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

TEST_F(ProcessArguments, ConstructionParsesTheProcessArguments)
{
    SetCommandLine({"/usr/bin/veltrane", "/p", "0x4711"});
    T_QsvImgFree preview;
    EXPECT_EQ(preview.Mode, TSaverMode::smPreview);
    EXPECT_EQ(preview.HostWnd, 0x4711u);

    SetCommandLine({"veltrane"});
    T_QsvImgFree saver;
    EXPECT_EQ(saver.Mode, TSaverMode::smSaver);
    EXPECT_EQ(saver.HostWnd, 0u);

    // The program's own name is never taken for a switch.
    SetCommandLine({"/c:5"});
    T_QsvImgFree named;
    EXPECT_EQ(named.Mode, TSaverMode::smSaver);
    EXPECT_EQ(named.HostWnd, 0u);
}

} // namespace
