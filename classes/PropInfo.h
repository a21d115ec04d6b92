#pragma once

#include "classes/Object.h"
#include "classes/Set.h"
#include "classes/TypeKind.h"

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>

class TClassInfo;
class TEnumInfo;

// One published property: its name, kind and type details, and type-erased access to it.
// Built by Published<T>(...) (classes/Published.h); the chained setters below add the stored test,
// the default and the identifiers an integer property accepts.
class TPropInfo {
public:
    using TOrdGetter = std::function<std::int64_t(const TObject&)>;
    using TOrdSetter = std::function<void(TObject&, std::int64_t)>;
    using TStrGetter = std::function<std::string(const TObject&)>;
    using TStrSetter = std::function<void(TObject&, std::string)>;
    using TWideGetter = std::function<std::u16string(const TObject&)>;
    using TWideSetter = std::function<void(TObject&, std::u16string)>;
    using TObjGetter = std::function<TObject*(const TObject&)>;
    using TObjSetter = std::function<void(TObject&, TObject*)>;
    using TMethodTest = std::function<bool(const TObject&)>;
    using TMethodSetter = std::function<void(TObject&, const std::any&)>;
    using TStoredTest = std::function<bool(const TObject&)>;
    using TIdentMap = std::function<std::optional<std::int64_t>(std::string_view)>;

    TPropInfo(std::string name, TTypeKind kind);

    const std::string& Name() const { return FName; }
    TTypeKind Kind() const { return FKind; }
    TOrdType OrdType() const { return FOrdType; }
    // The enumeration of an enumeration property, or the element type of a set.
    const TEnumInfo* EnumType() const { return FEnumType; }
    // The class an object property refers to.
    // Looked up on use, so that a class may publish properties of its own type.
    const TClassInfo* PropClass() const { return FPropClass ? &FPropClass() : nullptr; }
    // The event's callable type (a std::function), for matching handlers.
    std::type_index MethodType() const { return FMethodType; }

    bool HasGetter() const;
    bool HasSetter() const;
    bool IsStringKind() const { return FKind == tkString || FKind == tkLString || FKind == tkWString; }
    bool IsOrdinalKind() const;

    // The stored test (true unless the property declares otherwise).
    bool IsStored(const TObject& instance) const;
    // The default of an ordinal or set property; nothing for "no default".
    std::optional<std::int64_t> DefaultValue() const { return FDefault; }
    // True when the value equals the default (ordinals), is empty (strings) or unassigned (events).
    bool IsDefaultValue(const TObject& instance) const;

    // Ordinal access (integers, characters, enumerations, Booleans, sets as bits). Setting checks the range.
    std::int64_t GetOrd(const TObject& instance) const;
    void SetOrd(TObject& instance, std::int64_t value) const;
    // 8-bit strings (tkString, tkLString); short strings are cut at 255 bytes.
    std::string GetStr(const TObject& instance) const;
    void SetStr(TObject& instance, std::string value) const;
    // Wide strings.
    std::u16string GetWideStr(const TObject& instance) const;
    void SetWideStr(TObject& instance, std::u16string value) const;
    // Object references and sub-objects.
    TObject* GetObject(const TObject& instance) const;
    void SetObject(TObject& instance, TObject* value) const;
    // Events: whether a handler is assigned; assigning takes a std::any holding MethodType() (empty clears).
    bool IsMethodAssigned(const TObject& instance) const;
    void SetMethod(TObject& instance, const std::any& handler) const;
    // The value of an identifier an integer property accepts (colours, cursors), if any.
    std::optional<std::int64_t> IdentToOrd(std::string_view ident) const;
    // Whether an ordinal value fits the property (its ordinal size, its enumeration).
    bool OrdInRange(std::int64_t value) const;

    // Declaration modifiers.
    TPropInfo& Stored(bool stored);
    TPropInfo& Stored(TStoredTest test);
    // A const member function of the class: Stored(&TLabel::IsCaptionStored).
    template <class T>
    TPropInfo& Stored(bool (T::*test)() const) {
        return Stored(TStoredTest([test](const TObject& o) { return (dynamic_cast<const T&>(o).*test)(); }));
    }
    TPropInfo& Default(std::int64_t value);
    template <class E>
    TPropInfo& Default(TSet<E> value) { return Default(static_cast<std::int64_t>(value.Bits())); }
    TPropInfo& NoDefault();
    TPropInfo& Idents(TIdentMap map);
    TPropInfo& ShortString();

    // Used by Published<T>() to fill in the type details and accessors.
    TOrdType FOrdType = otSLong;
    const TEnumInfo* FEnumType = nullptr;
    const TClassInfo& (*FPropClass)() = nullptr;
    std::type_index FMethodType = typeid(void);
    TOrdGetter FGetOrd;
    TOrdSetter FSetOrd;
    TStrGetter FGetStr;
    TStrSetter FSetStr;
    TWideGetter FGetWide;
    TWideSetter FSetWide;
    TObjGetter FGetObj;
    TObjSetter FSetObj;
    TMethodTest FGetMethod;
    TMethodSetter FSetMethod;

private:
    [[noreturn]] void WrongKind(const char* access) const;

    std::string FName;
    TTypeKind FKind;
    TStoredTest FStored;
    bool FStoredConstant = true;
    std::optional<std::int64_t> FDefault;
    TIdentMap FIdents;
};
