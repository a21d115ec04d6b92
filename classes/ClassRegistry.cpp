#include "classes/ClassRegistry.h"

#include "classes/ClassInfo.h"
#include "classes/Component.h"
#include "classes/Errors.h"
#include "platform/AsciiText.h"

void TClassRegistry::RegisterClass(const TClassInfo& classInfo) {
    const std::string key = UpperCaseAscii(classInfo.ClassName());
    auto it = FClasses.find(key);
    if (it != FClasses.end()) {
        if (it->second == &classInfo) return;
        throw EComponentError("A class named " + classInfo.ClassName() + " already exists");
    }
    FClasses.emplace(key, &classInfo);
}

void TClassRegistry::RegisterClasses(const TClassRegistry& other) {
    for (const auto& [key, info] : other.FClasses) RegisterClass(*info);
}

void TClassRegistry::UnregisterClass(const TClassInfo& classInfo) {
    auto it = FClasses.find(UpperCaseAscii(classInfo.ClassName()));
    if (it != FClasses.end() && it->second == &classInfo) FClasses.erase(it);
}

const TClassInfo* TClassRegistry::FindClass(std::string_view name) const {
    auto it = FClasses.find(UpperCaseAscii(name));
    return it == FClasses.end() ? nullptr : it->second;
}

std::unique_ptr<TComponent> TClassRegistry::CreateComponent(std::string_view className, TComponent* owner) const {
    const TClassInfo* info = FindClass(className);
    if (!info || !info->CanCreateComponent() || !info->InheritsFrom(TComponent::StaticClass()))
        throw EClassNotFound("Class " + std::string(className) + " not found");
    return info->CreateComponent(owner);
}
