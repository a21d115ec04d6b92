#include "TestTree.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

std::filesystem::path RequiredDirectory(const char* variable)
{
    const char* value = std::getenv(variable);
    if (!value || !*value)
        throw std::runtime_error(std::string(variable) + " is not set: run the tests through ctest");
    return value;
}

} // namespace

std::filesystem::path TestSourceDir()
{
    return RequiredDirectory("VELTRANE_SOURCE_DIR");
}

std::filesystem::path TestBinaryDir()
{
    return RequiredDirectory("VELTRANE_BINARY_DIR");
}
