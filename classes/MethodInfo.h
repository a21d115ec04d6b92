#pragma once

#include <any>
#include <functional>
#include <string>
#include <typeindex>

class TObject;

// A published method of a form class, by which form files bind events: Bind(instance)
// answers a std::any holding a callable of type Signature() that calls the method on instance.
class TMethodInfo {
public:
    using TBinder = std::function<std::any(TObject&)>;

    TMethodInfo(std::string name, std::type_index signature, TBinder binder)
        : FName(std::move(name)), FSignature(signature), FBinder(std::move(binder)) {}

    const std::string& Name() const { return FName; }
    std::type_index Signature() const { return FSignature; }
    std::any Bind(TObject& instance) const { return FBinder(instance); }

private:
    std::string FName;
    std::type_index FSignature;
    TBinder FBinder;
};
