#pragma once

#include <optional>
#include <string>

#include "TempFolder.h"

// Test helper: while alive, the settings start empty. XDG_CONFIG_HOME points at a fresh
// temporary folder (the registry store of the POSIX build lives there); on Windows the
// program's key in the user's registry (of the test's own Wine prefix) is removed at the
// start and at the end. The destructor restores the previous XDG_CONFIG_HOME (or unsets
// it) and removes the folder with everything in it.
class TTempConfigHome {
public:
    TTempConfigHome();
    ~TTempConfigHome();
    TTempConfigHome(const TTempConfigHome&) = delete;
    TTempConfigHome& operator=(const TTempConfigHome&) = delete;

    // The temporary folder (what XDG_CONFIG_HOME now holds), without a trailing slash.
    const std::string& Path() const { return FFolder.Path(); }
    // The registry store inside it: <Path>/veltrane/user.reg (not created).
    std::string StoreFile() const;

private:
    TTempFolder FFolder{"veltrane-config"};
    std::optional<std::string> FSaved;
};
