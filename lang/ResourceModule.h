#pragma once

#include "platform/Resources.h"

#include <optional>
#include <string_view>

// A module that holds raw-data resources: the program itself, or a stand-in of a test.
// The language manager and the constants keep pointers to modules and own none of them.
class TResourceModule {
public:
    virtual ~TResourceModule() = default;
    // The bytes of the raw-data (RCDATA) resource of this name, or nothing.
    virtual std::optional<TResourceBytes> FindRawData(std::string_view name) const = 0;
};

// The program's own module: the resources embedded in the executable.
const TResourceModule& ProgramModule();
