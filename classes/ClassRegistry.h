#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

class TClassInfo;
class TComponent;

// Component classes that form definitions may name, looked up by class name (ASCII letter
// case ignored). A form keeps one (standard classes plus its own) and hands it to the reader.
class TClassRegistry {
public:
    // Registering a class twice is harmless; a different class under a taken name fails.
    void RegisterClass(const TClassInfo& classInfo);
    void RegisterClasses(const TClassRegistry& other);
    void UnregisterClass(const TClassInfo& classInfo);
    const TClassInfo* FindClass(std::string_view name) const;
    // Fails with EClassNotFound "Class <name> not found" when missing or not creatable.
    std::unique_ptr<TComponent> CreateComponent(std::string_view className, TComponent* owner) const;
    int Count() const { return static_cast<int>(FClasses.size()); }

private:
    std::map<std::string, const TClassInfo*> FClasses;  // key: upper-cased name
};
