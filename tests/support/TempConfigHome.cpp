#include "TempConfigHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

TTempConfigHome::TTempConfigHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "veltrane-config-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary config folder from " + pattern);
    FPath = buffer.data();
    if (const char* old = std::getenv("XDG_CONFIG_HOME"))
        FSaved = old;
    ::setenv("XDG_CONFIG_HOME", FPath.c_str(), 1);
}

TTempConfigHome::~TTempConfigHome()
{
    if (FSaved)
        ::setenv("XDG_CONFIG_HOME", FSaved->c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::string TTempConfigHome::StoreFile() const
{
    return FPath + "/veltrane/user.reg";
}
