#pragma once

#include <optional>
#include <string>

// Sets (with no value, unsets) an environment variable of this process.
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);

// Test helper: sets (or with no value, unsets) an environment variable while alive and
// puts the previous state back at the end.
class TScopedEnvironment {
public:
    TScopedEnvironment(std::string name, std::optional<std::string> value);
    ~TScopedEnvironment();
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
    std::string FName;
    std::optional<std::string> FSaved;
};
