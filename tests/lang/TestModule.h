#pragma once

#include "lang/ResourceModule.h"
#include "platform/AsciiText.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A module whose raw-data resources are byte vectors held by the test.
class TTestModule final : public TResourceModule {
public:
    void Put(const std::string& name, std::vector<std::uint8_t> bytes) { FItems[UpperCaseAscii(name)] = std::move(bytes); }
    void Remove(const std::string& name) { FItems.erase(UpperCaseAscii(name)); }

    std::optional<TResourceBytes> FindRawData(std::string_view name) const override
    {
        const auto found = FItems.find(UpperCaseAscii(name));
        if (found == FItems.end())
            return std::nullopt;
        return TResourceBytes(found->second.data(), found->second.size());
    }

private:
    std::map<std::string, std::vector<std::uint8_t>> FItems;
};
