#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

// The handler of last resort for an exception that escapes the program entry before
// the message loop runs: it reports the exception and the process ends with code 1.
class TLastChanceHandler {
public:
    static constexpr std::string_view Title = "Application Error";
    static constexpr int ExitCode = 1;

    // Runs body and answers its exit code; an exception escaping it is reported and
    // answers ExitCode.
    static int Run(const std::function<int()>& body);

    // Reports an exception: its text on standard error and in a box titled Title (when a
    // display can be reached).
    static void Report(std::exception_ptr error);
    // The same text on standard error alone, for a mode in which no one could answer a box.
    static void WriteReport(std::exception_ptr error);

    // "Exception <class> in module <module> at <address>.\r\n<message><full stop>\r\n".
    static std::string FormatText(std::string_view className, std::string_view moduleName,
                                  const void* address, std::string_view message);
    // "." when the message's last character sorts after "." (as an unsigned byte),
    // otherwise "" (also for an empty message).
    static std::string FullStop(std::string_view message);
    // The executable's file name, "veltrane" when the system cannot tell.
    static std::string ModuleName();
    // The text for an exception: the system's class name and message for our own
    // exceptions, the type name otherwise.
    static std::string Describe(std::exception_ptr error);
};
