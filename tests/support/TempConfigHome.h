#pragma once

#include <optional>
#include <string>

// Test helper: while alive, XDG_CONFIG_HOME points at a fresh temporary folder.
// The destructor restores the previous value (or unsets it) and removes the folder
// with everything in it.
class TTempConfigHome {
public:
    TTempConfigHome();
    ~TTempConfigHome();
    TTempConfigHome(const TTempConfigHome&) = delete;
    TTempConfigHome& operator=(const TTempConfigHome&) = delete;

    // The temporary folder (what XDG_CONFIG_HOME now holds), without a trailing slash.
    const std::string& Path() const { return FPath; }
    // The registry store inside it: <Path>/veltrane/user.reg (not created).
    std::string StoreFile() const;

private:
    std::string FPath;
    std::optional<std::string> FSaved;
};
