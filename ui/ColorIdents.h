#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Identifiers integer properties accept in form definitions: colour names (clBlack, clBtnFace, ...)
// for TColor properties, character set names (DEFAULT_CHARSET, ...) for charsets.
std::optional<std::int64_t> ColorIdentToInt(std::string_view ident);
std::optional<std::int64_t> CharsetIdentToInt(std::string_view ident);
