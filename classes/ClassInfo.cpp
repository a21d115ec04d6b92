#include "classes/ClassInfo.h"

#include "classes/Collection.h"
#include "classes/Component.h"
#include "platform/AsciiText.h"
#include "platform/Exception.h"

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> properties,
                       std::vector<TMethodInfo> methods, std::vector<TFieldInfo> fields)
    : FName(std::move(name)), FParent(parent), FMethods(std::move(methods)), FFields(std::move(fields)) {
    if (parent) FProperties = parent->FProperties;
    for (TPropInfo& property : properties) {
        bool replaced = false;
        for (TPropInfo& inherited : FProperties) {
            if (SameText(inherited.Name(), property.Name())) {
                inherited = std::move(property);
                replaced = true;
                break;
            }
        }
        if (!replaced) FProperties.push_back(std::move(property));
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TPropInfo& property : FProperties)
        if (SameText(property.Name(), name)) return &property;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TMethodInfo& method : c->FMethods)
            if (SameText(method.Name(), name)) return &method;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TFieldInfo& field : c->FFields)
            if (SameText(field.Name(), name)) return &field;
    return nullptr;
}

std::unique_ptr<TComponent> TClassInfo::CreateComponent(TComponent* owner) const {
    if (!FComponentFactory) throw EConvertError("Cannot create an instance of " + FName);
    return FComponentFactory(owner);
}

std::unique_ptr<TCollectionItem> TClassInfo::CreateItem(TCollection* collection) const {
    if (!FItemFactory) throw EConvertError("Cannot create an instance of " + FName);
    return FItemFactory(collection);
}
