#include "platform/DesktopWallpaperCommand.h"

#include "platform/ChildProcess.h"

TCommandResult RunCommand(const std::vector<std::string>& arguments, std::chrono::milliseconds timeout)
{
    TCommandResult result;
    TChildProcess child = TChildProcess::Spawn(arguments);
    if (!child.Started())
        return result;
    result.Started = true;
    const bool timedOut =
        child.Read(result.Output, TChildProcess::TClock::now() + timeout) == TChildReadEnd::creTimedOut;
    if (timedOut)
        child.Kill();
    const int code = child.Reap();
    result.ExitCode = timedOut ? -1 : code;
    return result;
}
