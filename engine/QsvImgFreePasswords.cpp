// The password hooks: asking the system's provider before the saver closes, and its
// password-change dialog.

#include <string>

#include "engine/PasswordProvider.h"
#include "engine/ProviderCall.h"
#include "engine/QsvImgFree.h"
#include "platform/Registry.h"

namespace {

// Whether the system asks for a password when the saver closes. A value of the wrong
// type raises ERegistryException; an absent key or value means no.
bool PasswordInUse()
{
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(PasswordProvider::DesktopKey))
        return false;
    const bool inUse = registry.ValueExists(PasswordProvider::UsePasswordValue) &&
                       registry.ReadInteger(PasswordProvider::UsePasswordValue) != 0;
    registry.CloseKey();
    return inUse;
}

} // namespace

bool T_QsvImgFree::VerifyPassword(std::uint32_t window)
{
    if (!PasswordInUse())
        return true;
    // Loaded, asked and unloaded in a child process: if the provider crashes, hangs or
    // answers nothing at any of these steps, the saver is neither ended nor unlocked.
    const TProviderAnswer answer = TProviderCall::Ask(SystemDir + std::string(PasswordProvider::VerifyLibrary),
                                                      PasswordProvider::VerifyEntry, window, FPasswordTimeout);
    return answer == TProviderAnswer::paAccepted || answer == TProviderAnswer::paNoProvider;
}

void T_QsvImgFree::ChangePassword()
{
    // The dialog takes as long as its user: no time limit.
    TProviderCall::Ask(SystemDir + std::string(PasswordProvider::ChangeLibrary), PasswordProvider::ChangeEntry,
                       HostWnd, std::nullopt);
}
