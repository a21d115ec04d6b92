#pragma once

#include <cstdint>
#include <string_view>

// The optional password providers: shared libraries in the system folder, loaded by
// path when needed, with entry points of C linkage. A provider that is not installed,
// or lacks its entry point, means no password.
namespace PasswordProvider {

// Verification: the file name in the system folder and its entry point, which gets the
// saver's window and answers non-zero when the password was accepted.
inline constexpr std::string_view VerifyLibrary = "PASSWORD.CPL";
inline constexpr std::string_view VerifyEntry = "VerifyScreenSavePwd";
using TVerifyScreenSavePwd = std::int32_t(std::uint32_t window);

// The password-change dialog: provider name, parent window and two reserved zeroes.
inline constexpr std::string_view ChangeLibrary = "MPR.DLL";
inline constexpr std::string_view ChangeEntry = "PwdChangePasswordA";
using TPwdChangePasswordA = std::uint32_t(const char* provider, std::uint32_t parent, std::uint32_t reserved1,
                                          std::uint32_t reserved2);
inline constexpr std::string_view ChangeProviderName = "SCRSAVE";

// Where the system says whether the saver asks for a password.
inline constexpr std::string_view DesktopKey = "Control Panel\\Desktop";
inline constexpr std::string_view UsePasswordValue = "ScreenSaveUsePassword";

} // namespace PasswordProvider
