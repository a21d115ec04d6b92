#pragma once

// A private home for the program under measurement: a fresh temporary folder that
// XDG_CONFIG_HOME (the settings store), XDG_RUNTIME_DIR (the single-instance lock) and
// VELTRANE_SYSTEM_DIR (the password providers) point at from now on, removed with
// everything in it by the destructor. Path() is empty when no folder could be made.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TBenchHome {
public:
    explicit TBenchHome(const std::string& prefix)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            return;
        FPath = pattern;
        ::setenv("XDG_CONFIG_HOME", FPath.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", FPath.c_str(), 1);
        ::setenv("VELTRANE_SYSTEM_DIR", FPath.c_str(), 1);
    }
    ~TBenchHome()
    {
        std::error_code ignored;
        if (!FPath.empty())
            std::filesystem::remove_all(FPath, ignored);
    }
    TBenchHome(const TBenchHome&) = delete;
    TBenchHome& operator=(const TBenchHome&) = delete;

    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};
