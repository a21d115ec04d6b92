#include "platform/CommandLine.h"

#include "platform/SystemArguments.h"

#include <mutex>
#include <optional>

namespace {

// The process arguments: written by the entry once, read from anywhere after.
struct TArguments {
    std::mutex Lock;
    std::optional<std::vector<std::string>> Values;
};

TArguments& Arguments()
{
    static TArguments arguments;
    return arguments;
}

std::vector<std::string> Snapshot()
{
    TArguments& arguments = Arguments();
    std::lock_guard<std::mutex> guard(arguments.Lock);
    if (!arguments.Values)
        arguments.Values = SystemArguments();
    return *arguments.Values;
}

} // namespace

void SetCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string> values;
    for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i)
        values.emplace_back(argv[i]);
    SetCommandLine(std::move(values));
}

void SetCommandLine(std::vector<std::string> arguments)
{
    TArguments& stored = Arguments();
    std::lock_guard<std::mutex> guard(stored.Lock);
    stored.Values = std::move(arguments);
}

int ParamCount()
{
    std::vector<std::string> values = Snapshot();
    return values.empty() ? 0 : static_cast<int>(values.size()) - 1;
}

std::string ParamStr(int index)
{
    std::vector<std::string> values = Snapshot();
    if (index < 0 || static_cast<std::size_t>(index) >= values.size())
        return {};
    return values[static_cast<std::size_t>(index)];
}

std::vector<std::string> ParamList()
{
    std::vector<std::string> values = Snapshot();
    if (values.empty())
        return {};
    return std::vector<std::string>(values.begin() + 1, values.end());
}
