#pragma once

#include "classes/FieldInfo.h"
#include "classes/MethodInfo.h"
#include "classes/PropInfo.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCollection;
class TCollectionItem;
class TComponent;

// Class information of a reflected class: its name, its parent class, its published properties
// (inherited ones first, in declaration order; a redeclared property keeps its inherited place),
// its published methods and fields, and how to create an instance.
class TClassInfo {
public:
    using TComponentFactory = std::function<std::unique_ptr<TComponent>(TComponent* owner)>;
    using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection* collection)>;

    TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> properties,
               std::vector<TMethodInfo> methods = {}, std::vector<TFieldInfo> fields = {});

    const std::string& ClassName() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& other) const;

    const std::vector<TPropInfo>& Properties() const { return FProperties; }
    // Finds a property, a method or a field by name, ASCII letter case ignored, inherited ones included.
    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;

    bool CanCreateComponent() const { return static_cast<bool>(FComponentFactory); }
    bool CanCreateItem() const { return static_cast<bool>(FItemFactory); }
    // Creates an instance; the owner (collection) only remembers it until it inserts the result.
    std::unique_ptr<TComponent> CreateComponent(TComponent* owner) const;
    std::unique_ptr<TCollectionItem> CreateItem(TCollection* collection) const;

    TComponentFactory FComponentFactory;
    TItemFactory FItemFactory;

private:
    std::string FName;
    const TClassInfo* FParent;
    std::vector<TPropInfo> FProperties;
    std::vector<TMethodInfo> FMethods;
    std::vector<TFieldInfo> FFields;
};
