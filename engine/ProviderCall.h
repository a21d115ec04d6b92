#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a password provider's entry point, called in a child process, came out.
enum class TProviderAnswer : std::uint8_t {
    paAccepted,    // it returned non-zero (the change dialog: it returned)
    paRefused,     // it returned zero
    paNoProvider,  // the library did not load, or it lacks the entry point
    paFailed       // a crash, a hang past the time limit or no answer, at any step
};

// A provider's library is loaded, called and unloaded in a child process: this program
// started again with a private switch. Its constructors, its entry point and its
// destructors can crash or hang there without taking the saver down or unlocking the
// screen, and the child holds nothing of the saver (no lock, no display connection).
class TProviderCall {
public:
    // The switch that makes the program a provider's child; hosts never pass it.
    static constexpr std::string_view Switch = "--provider-call";

    // Calls entry (VerifyScreenSavePwd or PwdChangePasswordA) of the library at path with
    // the window, waiting at most timeoutMs milliseconds (none: as long as it takes).
    static TProviderAnswer Ask(const std::string& library, std::string_view entry, std::uint32_t window,
                               std::optional<std::uint32_t> timeoutMs);

    // The child's side. When arguments (the program's name not included) start with
    // Switch, does the call they describe and answers the exit code the program ends with;
    // nothing otherwise. It runs before anything else of the program.
    static std::optional<int> RunIfAsked(const std::vector<std::string>& arguments);
    static std::optional<int> RunIfAsked(int argc, char** argv);
};
