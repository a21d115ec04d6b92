#include "classes/EnumInfo.h"

#include "platform/AsciiText.h"

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::string> names)
    : FTypeName(std::move(typeName)), FNames(std::move(names)) {}

std::string TEnumInfo::NameOf(long long value) const {
    if (value >= 0 && value < static_cast<long long>(FNames.size())) return FNames[static_cast<std::size_t>(value)];
    return std::to_string(value);
}

std::optional<int> TEnumInfo::ValueOf(std::string_view name) const {
    for (std::size_t i = 0; i < FNames.size(); ++i)
        if (SameText(FNames[i], name)) return static_cast<int>(i);
    return std::nullopt;
}

const TEnumInfo& BooleanEnumInfo() {
    static const TEnumInfo info("Boolean", {"False", "True"});
    return info;
}
