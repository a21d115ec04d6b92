#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// What running a program gave.
struct TCommandResult {
    bool Started = false;   // false when the program could not be found or started
    int ExitCode = -1;      // its exit status; -1 when it did not end normally
    std::string Output;     // what it wrote to standard output
};

// Runs arguments[0] (looked up in PATH) with the rest as its arguments.
using TCommandRunner = std::function<TCommandResult(const std::vector<std::string>& arguments)>;

// Runs a program directly, without a shell, so that no argument is ever re-parsed.
// Its standard input and error are /dev/null, its standard output is collected. A
// program still running after the timeout is killed and counts as failed.
TCommandResult RunCommand(const std::vector<std::string>& arguments,
                          std::chrono::milliseconds timeout = std::chrono::seconds(15));
