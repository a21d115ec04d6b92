#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Resources embedded in the executable at build time, from the files in resources/.
// Types are the classic names ("RCDATA", "BITMAP", "ICON", ...); names are matched
// without regard to ASCII letter case. The bytes are exactly those of the files.
using TResourceBytes = std::span<const std::uint8_t>;

// The resource's bytes, or nothing when there is no such resource.
std::optional<TResourceBytes> FindResource(std::string_view type, std::string_view name);

// The resource's bytes; raises EResNotFound ("Resource %s not found") when it is missing.
TResourceBytes LoadResource(std::string_view type, std::string_view name);
