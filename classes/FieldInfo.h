#pragma once

#include <functional>
#include <string>

class TClassInfo;
class TComponent;
class TObject;

// A published component field of a form class: the form reader stores the component it creates
// under that name in the field (tmrEspera -> Tfrm_ssView::tmrEspera).
class TFieldInfo {
public:
    using TSetter = std::function<void(TObject&, TComponent*)>;

    // The field's class is looked up on use (a class may have fields of its own type).
    TFieldInfo(std::string name, const TClassInfo& (*fieldClass)(), TSetter setter)
        : FName(std::move(name)), FFieldClass(fieldClass), FSetter(std::move(setter)) {}

    const std::string& Name() const { return FName; }
    const TClassInfo& FieldClass() const { return FFieldClass(); }
    void Set(TObject& instance, TComponent* value) const { FSetter(instance, value); }

private:
    std::string FName;
    const TClassInfo& (*FFieldClass)();
    TSetter FSetter;
};
