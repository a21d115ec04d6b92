// The password hooks: asking the system's provider before the saver closes, and its
// password-change dialog.

#include <string>

#include "engine/IsolatedCall.h"
#include "engine/PasswordProvider.h"
#include "engine/QsvImgFree.h"
#include "platform/DynamicLibrary.h"
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
    TDynamicLibrary library(SystemDir + std::string(PasswordProvider::VerifyLibrary));
    if (!library)
        return true;
    auto* verify = library.Function<PasswordProvider::TVerifyScreenSavePwd>(std::string(PasswordProvider::VerifyEntry));
    if (!verify)
        return true;
    // The provider's code runs in a child process: if it crashes, hangs or answers
    // nothing, the saver is neither ended nor unlocked.
    const TIsolatedResult result = TIsolatedCall::Run([verify, window] { return verify(window); }, FPasswordTimeout);
    return result.Outcome == TIsolatedOutcome::ioAnswered && result.Value != 0;
}

void T_QsvImgFree::ChangePassword()
{
    TDynamicLibrary library(SystemDir + std::string(PasswordProvider::ChangeLibrary));
    if (!library)
        return;
    auto* change = library.Function<PasswordProvider::TPwdChangePasswordA>(std::string(PasswordProvider::ChangeEntry));
    if (change)
        change(std::string(PasswordProvider::ChangeProviderName).c_str(), HostWnd, 0, 0);
}
