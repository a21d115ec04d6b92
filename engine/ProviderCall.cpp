#include "engine/ProviderCall.h"

#include <chrono>

#include "engine/PasswordProvider.h"
#include "platform/ChildProcess.h"
#include "platform/DynamicLibrary.h"

namespace {

// The child's answers. Uncommon values, so that a library that ends the process itself
// (exit(0), exit(1)) is never taken for an answer.
constexpr int ExitRefused = 80;
constexpr int ExitAccepted = 81;
constexpr int ExitNoLibrary = 82;
constexpr int ExitNoEntry = 83;
constexpr int ExitBadCall = 84;

std::optional<std::uint32_t> WindowFromText(const std::string& text)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const unsigned long long value = std::stoull(text);
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

int CallEntry(const std::string& path, const std::string& entry, std::uint32_t window)
{
    TDynamicLibrary library(path);
    if (!library)
        return ExitNoLibrary;
    int code = ExitNoEntry;
    if (entry == PasswordProvider::VerifyEntry) {
        if (auto* verify = library.Function<PasswordProvider::TVerifyScreenSavePwd>(entry))
            code = verify(window) != 0 ? ExitAccepted : ExitRefused;
    } else if (auto* change = library.Function<PasswordProvider::TPwdChangePasswordA>(entry)) {
        change(std::string(PasswordProvider::ChangeProviderName).c_str(), window, 0, 0);
        code = ExitAccepted;
    }
    // Unloading runs the library's destructors: the answer counts only if that ends well.
    library.Unload();
    return code;
}

} // namespace

TProviderAnswer TProviderCall::Ask(const std::string& library, std::string_view entry, std::uint32_t window,
                                   std::optional<std::uint32_t> timeoutMs)
{
    TChildProcess child =
        TChildProcess::StartSelf({std::string(Switch), library, std::string(entry), std::to_string(window)});
    if (!child.Started())
        return TProviderAnswer::paFailed;
    const auto deadline = timeoutMs ? TChildProcess::TClock::now() + std::chrono::milliseconds(*timeoutMs)
                                    : TChildProcess::TClock::time_point::max();
    if (!child.WaitFor(deadline))
        child.Kill();
    switch (child.Reap()) {
    case ExitAccepted:
        return TProviderAnswer::paAccepted;
    case ExitRefused:
        return TProviderAnswer::paRefused;
    case ExitNoLibrary:
    case ExitNoEntry:
        return TProviderAnswer::paNoProvider;
    default:
        return TProviderAnswer::paFailed;
    }
}

std::optional<int> TProviderCall::RunIfAsked(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0] != Switch)
        return std::nullopt;
    if (arguments.size() != 4)
        return ExitBadCall;
    const std::string& entry = arguments[2];
    const std::optional<std::uint32_t> window = WindowFromText(arguments[3]);
    if (!window || (entry != PasswordProvider::VerifyEntry && entry != PasswordProvider::ChangeEntry))
        return ExitBadCall;
    try {
        return CallEntry(arguments[1], entry, *window);
    } catch (...) {
        return ExitBadCall;  // no answer
    }
}

std::optional<int> TProviderCall::RunIfAsked(int argc, char** argv)
{
    if (argc < 2 || argv[1] != Switch)
        return std::nullopt;
    return RunIfAsked(std::vector<std::string>(argv + 1, argv + argc));
}
