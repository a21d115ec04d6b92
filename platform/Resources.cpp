#include "platform/Resources.h"

#include "platform/AsciiText.h"
#include "platform/Exception.h"

#include <cstddef>
#include <string>

// The table written by resources/CMakeLists.txt into the generated assembler file:
// one record per listed file, ended by a record of zeros.
namespace {

struct TEmbeddedResource {
    const char* Type;
    const char* Name;
    const std::uint8_t* Data;
    std::uint64_t Size;
};

} // namespace

extern "C" const TEmbeddedResource veltrane_resource_table[];
extern "C" const std::uint64_t veltrane_resource_count;

namespace {

// Compares a NUL-terminated embedded name with a given name, folding ASCII letters only.
bool SameName(const char* stored, std::string_view wanted)
{
    return SameText(std::string_view(stored), wanted);
}

} // namespace

std::optional<TResourceBytes> FindResource(std::string_view type, std::string_view name)
{
    for (std::uint64_t i = 0; i < veltrane_resource_count; ++i) {
        const TEmbeddedResource& entry = veltrane_resource_table[i];
        if (SameName(entry.Type, type) && SameName(entry.Name, name))
            return TResourceBytes(entry.Data, static_cast<std::size_t>(entry.Size));
    }
    return std::nullopt;
}

TResourceBytes LoadResource(std::string_view type, std::string_view name)
{
    if (auto found = FindResource(type, name))
        return *found;
    throw EResNotFound("Resource " + std::string(name) + " not found");
}
