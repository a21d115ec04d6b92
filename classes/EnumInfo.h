#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The names of an enumeration whose values run from 0 upwards, for reflection and form files.
class TEnumInfo {
public:
    TEnumInfo(std::string typeName, std::vector<std::string> names);

    const std::string& TypeName() const { return FTypeName; }
    int Count() const { return static_cast<int>(FNames.size()); }
    const std::vector<std::string>& Names() const { return FNames; }
    // The name of a value; the value in decimal when it has no name.
    std::string NameOf(long long value) const;
    // The value of a name, ASCII letter case ignored; nothing when there is no such name.
    std::optional<int> ValueOf(std::string_view name) const;

private:
    std::string FTypeName;
    std::vector<std::string> FNames;
};

// Booleans are the enumeration False, True. (A template, so that an enumeration without names
// of its own does not convert to bool and pick these.)
const TEnumInfo& BooleanEnumInfo();
template <std::same_as<bool> B>
const TEnumInfo& GetEnumInfo(B) { return BooleanEnumInfo(); }

// Declares the names of an enumeration next to it: VELTRANE_ENUM_INFO(TAlign, "alNone", "alTop", ...).
// Reflection finds them through GetEnumInfo(value) by argument-dependent lookup.
#define VELTRANE_ENUM_INFO(Type, ...)                                          \
    inline const TEnumInfo& GetEnumInfo(Type) {                                \
        static const TEnumInfo info(#Type, {__VA_ARGS__});                     \
        return info;                                                           \
    }
