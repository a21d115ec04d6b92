#pragma once

// Declaring reflected classes: one line per published property, method or field.
//
//   const TClassInfo& TLabel::StaticClass() {
//       static const TClassInfo info = MakeClass<TLabel, TComponent>("TLabel", {
//           Published<TLabel>("Caption", &TLabel::GetCaption, &TLabel::SetCaption),
//           Published<TLabel>("Layout", &TLabel::FLayout).Default(tlTop),
//           Published<TLabel>("OnClick", &TLabel::FOnClick),
//       });
//       return info;
//   }
//
// A getter is a const member function or a data member; a setter is a member function taking the
// value or a data member; a property without setter is read-only. The kind follows the C++ type:
// integers, bool, char, char16_t, enumerations with VELTRANE_ENUM_INFO, TSet<E>, std::string (long;
// .ShortString() for short), std::u16string, pointers to reflected classes, std::function events.

#include "classes/ClassInfo.h"
#include "classes/Collection.h"
#include "classes/Component.h"
#include "classes/EnumInfo.h"
#include "classes/PropInfo.h"
#include "classes/Set.h"

#include <any>
#include <concepts>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>

namespace PublishedDetail {

template <class V>
struct TIsFunction : std::false_type {};
template <class R, class... A>
struct TIsFunction<std::function<R(A...)>> : std::true_type {};

template <class V>
constexpr TOrdType OrdTypeOf() {
    if constexpr (std::is_enum_v<V>) return otUByte;
    else if constexpr (std::is_same_v<V, char>) return otUByte;  // characters are 0..255 whatever char's sign
    else if constexpr (sizeof(V) == 1) return std::is_signed_v<V> ? otSByte : otUByte;
    else if constexpr (sizeof(V) == 2) return std::is_signed_v<V> ? otSWord : otUWord;
    else if constexpr (sizeof(V) == 4) return std::is_signed_v<V> ? otSLong : otULong;
    else return otSQWord;
}

template <class V>
constexpr TTypeKind KindOf() {
    if constexpr (std::is_same_v<V, bool>) return tkEnumeration;
    else if constexpr (std::is_same_v<V, char>) return tkChar;
    else if constexpr (std::is_same_v<V, char16_t>) return tkWChar;
    else if constexpr (std::is_enum_v<V>) return tkEnumeration;
    else if constexpr (std::is_integral_v<V>) return sizeof(V) > 4 ? tkInt64 : tkInteger;
    else if constexpr (std::is_same_v<V, std::string>) return tkLString;
    else if constexpr (std::is_same_v<V, std::u16string>) return tkWString;
    else if constexpr (TIsSet<V>::Value) return tkSet;
    else if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>) return tkClass;
    else if constexpr (TIsFunction<V>::value) return tkMethod;
    else static_assert(sizeof(V) == 0, "this type cannot be a published property");
}

// The ordinal value of an integer, character, enumeration, Boolean or set.
template <class V>
std::int64_t ToOrd(const V& value) {
    if constexpr (TIsSet<V>::Value) return value.Bits();
    else if constexpr (std::is_same_v<V, char>) return static_cast<unsigned char>(value);
    else return static_cast<std::int64_t>(value);
}

template <class V>
V FromOrd(std::int64_t value) {
    if constexpr (TIsSet<V>::Value) return V::FromBits(static_cast<std::uint32_t>(value));
    else if constexpr (std::is_same_v<V, bool>) return value != 0;
    else return static_cast<V>(value);
}

template <class T, class G>
using TValueOf = std::remove_cvref_t<std::invoke_result_t<G, const T&>>;

template <class T, class S, class V>
void Assign(T& instance, S setter, V value) {
    if constexpr (std::is_member_object_pointer_v<S>) std::invoke(setter, instance) = std::move(value);
    else std::invoke(setter, instance, std::move(value));
}

template <class T>
const T& Cast(const TObject& instance) { return dynamic_cast<const T&>(instance); }
template <class T>
T& Cast(TObject& instance) { return dynamic_cast<T&>(instance); }

}  // namespace PublishedDetail

template <class T, class G, class S = std::nullptr_t>
TPropInfo Published(std::string name, G getter, S setter = nullptr) {
    using namespace PublishedDetail;
    using V = TValueOf<T, G>;
    constexpr TTypeKind kind = KindOf<V>();
    constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
    TPropInfo info(std::move(name), kind);

    if constexpr (kind == tkInteger || kind == tkInt64 || kind == tkChar || kind == tkWChar ||
                  kind == tkEnumeration || kind == tkSet) {
        if constexpr (kind == tkSet) {
            info.FEnumType = &GetEnumInfo(typename V::TElement{});
            info.FOrdType = otULong;
        } else if constexpr (kind == tkEnumeration) {
            info.FEnumType = &GetEnumInfo(V{});
            info.FOrdType = otUByte;
        } else {
            info.FOrdType = OrdTypeOf<V>();
        }
        info.FGetOrd = [getter](const TObject& o) { return ToOrd(std::invoke(getter, Cast<T>(o))); };
        if constexpr (writable)
            info.FSetOrd = [setter](TObject& o, std::int64_t v) { Assign(Cast<T>(o), setter, FromOrd<V>(v)); };
    } else if constexpr (kind == tkLString) {
        info.FGetStr = [getter](const TObject& o) { return std::string(std::invoke(getter, Cast<T>(o))); };
        if constexpr (writable)
            info.FSetStr = [setter](TObject& o, std::string v) { Assign(Cast<T>(o), setter, std::move(v)); };
    } else if constexpr (kind == tkWString) {
        info.FGetWide = [getter](const TObject& o) { return std::u16string(std::invoke(getter, Cast<T>(o))); };
        if constexpr (writable)
            info.FSetWide = [setter](TObject& o, std::u16string v) { Assign(Cast<T>(o), setter, std::move(v)); };
    } else if constexpr (kind == tkClass) {
        using TTarget = std::remove_pointer_t<V>;
        info.FPropClass = &TTarget::StaticClass;
        info.FGetObj = [getter](const TObject& o) -> TObject* { return std::invoke(getter, Cast<T>(o)); };
        if constexpr (writable)
            info.FSetObj = [setter](TObject& o, TObject* v) {
                TTarget* target = v ? &dynamic_cast<TTarget&>(*v) : nullptr;
                Assign(Cast<T>(o), setter, target);
            };
    } else if constexpr (kind == tkMethod) {
        info.FMethodType = typeid(V);
        info.FGetMethod = [getter](const TObject& o) { return static_cast<bool>(std::invoke(getter, Cast<T>(o))); };
        if constexpr (writable)
            info.FSetMethod = [setter](TObject& o, const std::any& handler) {
                Assign(Cast<T>(o), setter, handler.has_value() ? std::any_cast<V>(handler) : V());
            };
    }
    return info;
}

// A published method that form definitions can bind to events of the matching std::function type.
template <class T, class R, class... A>
TMethodInfo PublishedMethod(std::string name, R (T::*method)(A...)) {
    using TSignature = std::function<R(A...)>;
    return TMethodInfo(std::move(name), typeid(TSignature), [method](TObject& o) {
        T* self = &dynamic_cast<T&>(o);
        return std::any(TSignature([self, method](A... args) { return (self->*method)(std::forward<A>(args)...); }));
    });
}

// A published component field of a form class, filled by the reader with the component of that name.
template <class T, class C>
TFieldInfo PublishedField(std::string name, C* T::*field) {
    return TFieldInfo(std::move(name), &C::StaticClass, [field](TObject& o, TComponent* value) {
        dynamic_cast<T&>(o).*field = value ? &dynamic_cast<C&>(*value) : nullptr;
    });
}

// Class information of T derived from Base. Components constructible from an owner and
// collection items constructible from a collection get a factory.
template <class T, class Base>
TClassInfo MakeClass(std::string name, std::vector<TPropInfo> properties,
                     std::vector<TMethodInfo> methods = {}, std::vector<TFieldInfo> fields = {}) {
    static_assert(std::is_base_of_v<Base, T>);
    TClassInfo info(std::move(name), &Base::StaticClass(), std::move(properties), std::move(methods), std::move(fields));
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>) {
        info.FComponentFactory = [](TComponent* owner) -> std::unique_ptr<TComponent> { return std::make_unique<T>(owner); };
    }
    if constexpr (std::is_base_of_v<TCollectionItem, T> && !std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*>) {
        info.FItemFactory = [](TCollection* collection) -> std::unique_ptr<TCollectionItem> {
            return std::make_unique<T>(collection);
        };
    }
    return info;
}
