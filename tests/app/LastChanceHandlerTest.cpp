#include <regex>
#include <stdexcept>

#include <gtest/gtest.h>

#include "app/LastChanceHandler.h"
#include "platform/Exception.h"
#include "platform/x11/X11Display.h"

#include "support/ScopedEnvironment.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

// Upper-case hex, as wide as a pointer.
const std::string Address = "[0-9A-F]{" + std::to_string(sizeof(void*) * 2) + "}";

TEST(LastChanceText, FollowsTheFixedLayout)
{
    const void* address = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0x4A3F10));
    std::string text = TLastChanceHandler::FormatText("ERegistryException", "veltrane", address,
                                                      "Invalid data type for 'View Type'");
    std::string zeros(sizeof(void*) * 2 - 6, '0');
    EXPECT_EQ(text, "Exception ERegistryException in module veltrane at " + zeros +
                        "4A3F10.\r\nInvalid data type for 'View Type'\r\n");
}

TEST(LastChanceText, NullAddressAndEmptyMessage)
{
    std::string text = TLastChanceHandler::FormatText("Exception", "veltrane", nullptr, "");
    EXPECT_EQ(text, "Exception Exception in module veltrane at " + std::string(sizeof(void*) * 2, '0') +
                        ".\r\n\r\n");
}

TEST(FullStop, AppendedOnlyAfterCharactersSortingAfterThePoint)
{
    EXPECT_EQ(TLastChanceHandler::FullStop("File not found"), ".");
    EXPECT_EQ(TLastChanceHandler::FullStop("Invalid data type for 'View Type'"), "");  // ' sorts before .
    EXPECT_EQ(TLastChanceHandler::FullStop("Done."), "");
    EXPECT_EQ(TLastChanceHandler::FullStop("Stop!"), "");
    EXPECT_EQ(TLastChanceHandler::FullStop("range 1-"), "");
    EXPECT_EQ(TLastChanceHandler::FullStop("(12)"), "");
    EXPECT_EQ(TLastChanceHandler::FullStop("a, b,"), "");
    EXPECT_EQ(TLastChanceHandler::FullStop("path/"), ".");
    EXPECT_EQ(TLastChanceHandler::FullStop("code 7"), ".");
    EXPECT_EQ(TLastChanceHandler::FullStop("value:"), ".");
    EXPECT_EQ(TLastChanceHandler::FullStop(""), "");
    // A multi-byte character ends in a byte above 0x7F: it sorts after ".".
    EXPECT_EQ(TLastChanceHandler::FullStop("canci\xC3\xB3n"), ".");
}

TEST(LastChanceDescribe, OwnExceptionsGiveTheirClassAndMessage)
{
    std::string text = TLastChanceHandler::Describe(
        std::make_exception_ptr(ERegistryException("Invalid data type for 'View Type'")));
    EXPECT_TRUE(std::regex_match(text, std::regex("Exception ERegistryException in module test_app at " +
                                                  Address + "\\.\r\nInvalid data type for 'View Type'\r\n")))
        << text;
    std::string derived = TLastChanceHandler::Describe(std::make_exception_ptr(EReadError("Stream read error")));
    EXPECT_TRUE(std::regex_match(derived, std::regex("Exception EReadError in module test_app at " + Address +
                                                     "\\.\r\nStream read error\\.\r\n")))
        << derived;
}

TEST(LastChanceDescribe, OtherExceptionsGiveTheirTypeName)
{
    std::string text = TLastChanceHandler::Describe(std::make_exception_ptr(std::out_of_range("vector")));
    EXPECT_TRUE(std::regex_match(text, std::regex("Exception std::out_of_range in module test_app at " +
                                                  Address + "\\.\r\nvector\\.\r\n")))
        << text;
    std::string number = TLastChanceHandler::Describe(std::make_exception_ptr(42));
    EXPECT_TRUE(std::regex_match(number, std::regex("Exception int in module test_app at " + Address +
                                                    "\\.\r\n\r\n")))
        << number;
}

// The report also opens a box on the default display and waits for it; these tests run
// with no display so that they never wait for a person (a desktop session sets DISPLAY).
TEST(LastChanceRun, PassesTheExitCodeThrough)
{
    TScopedEnvironment noDisplay("DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    EXPECT_EQ(TLastChanceHandler::Run([] { return 0; }), 0);
    EXPECT_EQ(TLastChanceHandler::Run([] { return 2; }), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(LastChanceRun, EscapingExceptionIsReportedOnStandardErrorWithCodeOne)
{
    TScopedEnvironment noDisplay("DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    int code = TLastChanceHandler::Run([]() -> int { throw EResNotFound("Resource IMG12 not found"); });
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(std::regex_match(written, std::regex("Exception EResNotFound in module test_app at " + Address +
                                                     "\\.\r\nResource IMG12 not found\\.\r\n")))
        << written;
}

// With a display the text is on standard error before the box opens, the handler waits
// for the box, and still ends with code 1 once it is closed.
TEST(LastChanceRun, WithADisplayTheReportWaitsForItsBoxThenEndsWithCodeOne)
{
    TXvfbServer server(320, 240);
    TScopedEnvironment display("DISPLAY", server.Name());
    testing::internal::CaptureStderr();
    auto run = std::async(std::launch::async, [] {
        return TLastChanceHandler::Run([]() -> int { throw EResNotFound("Resource IMG12 not found"); });
    });
    // The box is a window of its own on the screen.
    std::unique_ptr<TDisplay> observer = OpenX11Display(server.Name().c_str());
    ASSERT_NE(observer, nullptr);
    std::vector<std::uint8_t> pixels(320 * 240 * 4);
    TPixelBuffer buffer{pixels.data(), 320, 240, 320 * 4, false, 4};
    auto screenChanged = [&] {
        if (!observer->ReadScreen(TWindowRect{0, 0, 320, 240}, buffer)) return false;
        for (std::size_t i = 4; i < pixels.size(); i += 4)
            if (pixels[i] != pixels[0] || pixels[i + 1] != pixels[1] || pixels[i + 2] != pixels[2]) return true;
        return false;
    };
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool shown = false;
    while (!(shown = screenChanged()) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(shown) << "no box on the screen";
    EXPECT_EQ(run.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout) << "the box did not wait";
    TXTestInput input(server.Name());
    input.Tap(0xFF0D);  // Return
    const bool ended = run.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    EXPECT_TRUE(ended) << "the box did not end on Enter";
    if (!ended) server.Kill();  // the box's loop ends with the connection
    EXPECT_EQ(run.get(), 1);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_match(written, std::regex("Exception EResNotFound in module test_app at " + Address +
                                                     "\\.\r\nResource IMG12 not found\\.\r\n")))
        << written;
}

TEST(LastChanceModule, IsTheExecutableFileName)
{
    EXPECT_EQ(TLastChanceHandler::ModuleName(), "test_app");
    EXPECT_EQ(TLastChanceHandler::Title, "Application Error");
}

} // namespace
