#include <regex>
#include <stdexcept>

#include <gtest/gtest.h>

#include "app/LastChanceHandler.h"
#include "platform/Exception.h"

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

TEST(LastChanceRun, PassesTheExitCodeThrough)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(TLastChanceHandler::Run([] { return 0; }), 0);
    EXPECT_EQ(TLastChanceHandler::Run([] { return 2; }), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(LastChanceRun, EscapingExceptionIsReportedOnStandardErrorWithCodeOne)
{
    testing::internal::CaptureStderr();
    int code = TLastChanceHandler::Run([]() -> int { throw EResNotFound("Resource IMG12 not found"); });
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
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
