#include "TempConfigHome.h"

#include <cstdlib>

#include "ScopedEnvironment.h"

#ifdef _WIN32
#include <chrono>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"

namespace {

void RunReg(const std::vector<std::string>& arguments)
{
    TChildProcess reg = TChildProcess::Spawn(arguments);
    if (!reg.Started())
        return;
    std::string ignored;
    if (reg.Read(ignored, TChildProcess::TClock::now() + std::chrono::seconds(30)) == TChildReadEnd::creTimedOut)
        reg.Kill();
    reg.Reap();
}

// The settings of a Windows build live in the registry: the system's reg.exe removes the
// program's key and the password switch of the desktop settings, which a fresh store of
// the POSIX build lacks too (a missing one is no error).
void RemoveSettingsKey()
{
    RunReg({"reg", "delete", "HKCU\\Software\\Tessivo\\QM_Veltrane", "/f"});
    RunReg({"reg", "delete", "HKCU\\Control Panel\\Desktop", "/v", "ScreenSaveUsePassword", "/f"});
}

} // namespace
#endif

TTempConfigHome::TTempConfigHome()
{
    if (const char* old = std::getenv("XDG_CONFIG_HOME"))
        FSaved = old;
    SetEnvironment("XDG_CONFIG_HOME", FFolder.Path());
#ifdef _WIN32
    RemoveSettingsKey();
#endif
}

TTempConfigHome::~TTempConfigHome()
{
#ifdef _WIN32
    RemoveSettingsKey();
#endif
    SetEnvironment("XDG_CONFIG_HOME", FSaved);
}

std::string TTempConfigHome::StoreFile() const
{
    return Path() + "/veltrane/user.reg";
}
