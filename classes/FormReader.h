#pragma once

#include "classes/FormValue.h"

#include <string>
#include <string_view>
#include <vector>

class TClassRegistry;
class TCollection;
class TComponent;
class TObject;
class TPropInfo;

// Reads a form definition (see TFormParser) into an existing root component, usually a form:
// - the root object's class must be the root's class or one of its ancestors; its name becomes the root's;
// - every nested object is created by class name from the registry, owned by the root, named, given
//   its enclosing component through SetParentComponent, and stored in the root's published field
//   of that name when there is one;
// - properties are set through reflection in the order written; "Font.Name" walks sub-objects,
//   names unknown to reflection are looked up among DefineProperties (binary data, string lines);
// - events are bound by handler name to the root class's published methods; identifiers given to
//   object properties are references to components of the root, resolved when all are created;
// - csLoading and csReading are set during the read; Loaded() runs on the root and then on every
//   created component in creation order.
// Errors raise EFilerError "Error reading <source> line <n>: <component>.<property>: <what>"; the
// components created by a failed read are destroyed again. Exceptions from Loaded() pass unchanged.
class TFormReader {
public:
    TFormReader(const TClassRegistry& classes, std::string sourceName);

    void Read(TComponent& root, std::string_view text);
    void Read(TComponent& root, const TFormObject& definition);

    // Reads the RCDATA resource of that name (EResNotFound when it is missing).
    static void ReadResource(TComponent& root, std::string_view resourceName, const TClassRegistry& classes);

private:
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Property;
        std::string Target;
        std::string Path;
        int Line;
    };

    void ReadComponent(TComponent& component, const TFormObject& definition);
    void ReadChild(TComponent& parent, const TFormObject& definition);
    void ReadProperty(TObject& instance, const TFormProperty& property, const std::string& prefix);
    void AssignValue(TObject& target, const TPropInfo& info, const TFormValue& value, const std::string& path);
    void ReadCollection(TCollection& collection, const TFormValue& value, const std::string& path);
    void ResolveFixups();
    void Cleanup();
    [[noreturn]] void Error(int line, const std::string& path, const std::string& what) const;
    [[noreturn]] void WrongValue(const TPropInfo& info, const TFormValue& value, const std::string& path) const;

    const TClassRegistry& FClasses;
    std::string FSourceName;
    TComponent* FRoot = nullptr;
    std::vector<TComponent*> FCreated;
    std::vector<std::string> FFields;
    std::vector<TFixup> FFixups;
};
