#include "platform/ChildProcess.h"
#include "platform/Exception.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// The Win32 backends against the system itself (Wine's registry, kernel objects, processes).

namespace {

const char* const TestKey = "Software\\Tessivo\\QM_Veltrane_test";

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return {};
}

TEST(Win32Registry, ValuesRoundTripThroughTheSystemAndWrongTypesAreRefused)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(std::string("\\") + TestKey + "\\\\", true));
        registry.WriteInteger("Image time view", -10);
        registry.WriteString("View Type", "Vista ñ");
        registry.WriteBinaryData("Blob", {1, 2, 0, 255});
    }
    TRegistry registry;
    EXPECT_TRUE(registry.KeyExists(TestKey));
    ASSERT_TRUE(registry.OpenKeyReadOnly(TestKey));
    EXPECT_EQ(registry.ReadInteger("image time view"), -10);
    EXPECT_EQ(registry.ReadString("View Type"), "Vista ñ");
    EXPECT_EQ(registry.ReadBinaryData("Blob"), (std::vector<std::uint8_t>{1, 2, 0, 255}));
    EXPECT_EQ(registry.GetDataType("View Type"), TRegDataType::rdString);
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("View Type"); }), "Invalid data type for 'View Type'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadString("Image time view"); }), "Invalid data type for 'Image time view'");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
    EXPECT_EQ(ErrorOf([&] { registry.WriteInteger("Language", 1); }), "Failed to set data for 'Language'");

    ASSERT_TRUE(registry.OpenKey(TestKey, false));
    EXPECT_TRUE(registry.DeleteValue("Blob"));
    EXPECT_FALSE(registry.ValueExists("Blob"));
    EXPECT_FALSE(registry.OpenKey("Software\\Tessivo\\QM_Veltrane_absent", false));
}

TEST(Win32SingleInstance, TheNamedSemaphoreHasOneHolderUntilItIsReleased)
{
    const std::string name = "QM_Veltrane_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
    {
        TSingleInstance first(name);
        EXPECT_TRUE(first.Acquired());
        TSingleInstance second(name);
        EXPECT_EQ(second.State(), TInstanceState::isAlreadyExists);
    }
    TSingleInstance again(name);
    EXPECT_TRUE(again.Acquired());
}

TEST(Win32ChildProcess, ReadsTheOutputAndExitCodeAndKillsAChildThatOverstays)
{
    TChildProcess echo = TChildProcess::Spawn({"cmd.exe", "/c", "echo hello& exit 7"});
    ASSERT_TRUE(echo.Started());
    std::string output;
    EXPECT_EQ(echo.Read(output, TChildProcess::TClock::now() + std::chrono::seconds(30)), TChildReadEnd::creEnded);
    EXPECT_EQ(output.substr(0, 5), "hello");
    EXPECT_EQ(echo.Reap(), 7);
    EXPECT_FALSE(echo.Started());

    // A child that waits for its own pipe to be read: cut off at the deadline, then killed.
    TChildProcess slow = TChildProcess::Spawn({"cmd.exe", "/c", "ping -n 60 127.0.0.1"});
    ASSERT_TRUE(slow.Started());
    std::string ignored;
    EXPECT_EQ(slow.Read(ignored, TChildProcess::TClock::now() + std::chrono::milliseconds(300), SIZE_MAX),
              TChildReadEnd::creTimedOut);
    slow.Kill();
    EXPECT_EQ(slow.Reap(), -1);

    EXPECT_FALSE(TChildProcess::Spawn({"veltrane-no-such-program"}).Started());
}

}  // namespace
