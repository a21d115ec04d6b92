#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>
#include <vector>

TTempFolder::TTempFolder(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
#ifdef _WIN32
    // No mkdtemp: a random name, made only when it does not exist yet.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = pattern.substr(0, pattern.size() - 6) + std::to_string(random() % 1000000);
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            FPath = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder from " + pattern);
#else
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    FPath = buffer.data();
#endif
}

TTempFolder::~TTempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(FPath, ignored);
}
