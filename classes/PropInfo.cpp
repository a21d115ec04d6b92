#include "classes/PropInfo.h"

#include "classes/EnumInfo.h"
#include "classes/Errors.h"

#include <limits>

TPropInfo::TPropInfo(std::string name, TTypeKind kind) : FName(std::move(name)), FKind(kind) {}

bool TPropInfo::IsOrdinalKind() const {
    switch (FKind) {
    case tkInteger: case tkInt64: case tkChar: case tkWChar: case tkEnumeration: case tkSet: return true;
    default: return false;
    }
}

bool TPropInfo::HasGetter() const {
    return FGetOrd || FGetStr || FGetWide || FGetObj || FGetMethod;
}

bool TPropInfo::HasSetter() const {
    return FSetOrd || FSetStr || FSetWide || FSetObj || FSetMethod;
}

bool TPropInfo::IsStored(const TObject& instance) const {
    if (FStored) return FStored(instance);
    return FStoredConstant;
}

bool TPropInfo::IsDefaultValue(const TObject& instance) const {
    if (IsOrdinalKind()) return FDefault && GetOrd(instance) == *FDefault;
    if (FKind == tkString || FKind == tkLString) return GetStr(instance).empty();
    if (FKind == tkWString) return GetWideStr(instance).empty();
    if (FKind == tkMethod) return !IsMethodAssigned(instance);
    return false;
}

void TPropInfo::WrongKind(const char* access) const {
    throw EPropertyError("Property " + FName + " is of kind " + TypeKindName(FKind) + ", not " + access);
}

std::int64_t TPropInfo::GetOrd(const TObject& instance) const {
    if (!FGetOrd) WrongKind("an ordinal");
    return FGetOrd(instance);
}

bool TPropInfo::OrdInRange(std::int64_t value) const {
    switch (FKind) {
    case tkEnumeration: return FEnumType && value >= 0 && value < FEnumType->Count();
    case tkSet: {
        const int count = FEnumType ? FEnumType->Count() : 32;
        const std::uint64_t allowed = count >= 32 ? 0xFFFFFFFFull : ((std::uint64_t{1} << count) - 1);
        return value >= 0 && (static_cast<std::uint64_t>(value) & ~allowed) == 0;
    }
    default: break;
    }
    switch (FOrdType) {
    case otSByte: return value >= -128 && value <= 127;
    case otUByte: return value >= 0 && value <= 255;
    case otSWord: return value >= -32768 && value <= 32767;
    case otUWord: return value >= 0 && value <= 65535;
    // 32-bit values accept both readings of the bits ($FF000000 for an Integer colour).
    case otSLong: case otULong: return value >= std::numeric_limits<std::int32_t>::min() && value <= 0xFFFFFFFFll;
    case otSQWord: return true;
    }
    return false;
}

void TPropInfo::SetOrd(TObject& instance, std::int64_t value) const {
    if (!IsOrdinalKind()) WrongKind("an ordinal");
    if (!FSetOrd) throw EPropertyError("Property " + FName + " is read-only");
    if (!OrdInRange(value)) throw EPropertyError("Value " + std::to_string(value) + " out of range for property " + FName);
    if (FOrdType == otSLong && value > std::numeric_limits<std::int32_t>::max())
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    else if (FOrdType == otULong && value < 0)
        value = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    FSetOrd(instance, value);
}

std::string TPropInfo::GetStr(const TObject& instance) const {
    if (!FGetStr) WrongKind("an 8-bit string");
    return FGetStr(instance);
}

void TPropInfo::SetStr(TObject& instance, std::string value) const {
    if (FKind != tkString && FKind != tkLString) WrongKind("an 8-bit string");
    if (!FSetStr) throw EPropertyError("Property " + FName + " is read-only");
    if (FKind == tkString && value.size() > 255) value.resize(255);
    FSetStr(instance, std::move(value));
}

std::u16string TPropInfo::GetWideStr(const TObject& instance) const {
    if (!FGetWide) WrongKind("a wide string");
    return FGetWide(instance);
}

void TPropInfo::SetWideStr(TObject& instance, std::u16string value) const {
    if (FKind != tkWString) WrongKind("a wide string");
    if (!FSetWide) throw EPropertyError("Property " + FName + " is read-only");
    FSetWide(instance, std::move(value));
}

TObject* TPropInfo::GetObject(const TObject& instance) const {
    if (!FGetObj) WrongKind("an object");
    return FGetObj(instance);
}

void TPropInfo::SetObject(TObject& instance, TObject* value) const {
    if (FKind != tkClass) WrongKind("an object");
    if (!FSetObj) throw EPropertyError("Property " + FName + " is read-only");
    FSetObj(instance, value);
}

bool TPropInfo::IsMethodAssigned(const TObject& instance) const {
    if (!FGetMethod) WrongKind("an event");
    return FGetMethod(instance);
}

void TPropInfo::SetMethod(TObject& instance, const std::any& handler) const {
    if (FKind != tkMethod) WrongKind("an event");
    if (!FSetMethod) throw EPropertyError("Property " + FName + " is read-only");
    if (handler.has_value() && std::type_index(handler.type()) != FMethodType)
        throw EPropertyError("Incompatible handler for event " + FName);
    FSetMethod(instance, handler);
}

std::optional<std::int64_t> TPropInfo::IdentToOrd(std::string_view ident) const {
    if (!FIdents) return std::nullopt;
    return FIdents(ident);
}

TPropInfo& TPropInfo::Stored(bool stored) {
    FStored = nullptr;
    FStoredConstant = stored;
    return *this;
}

TPropInfo& TPropInfo::Stored(TStoredTest test) {
    FStored = std::move(test);
    return *this;
}

TPropInfo& TPropInfo::Default(std::int64_t value) {
    FDefault = value;
    return *this;
}

TPropInfo& TPropInfo::NoDefault() {
    FDefault.reset();
    return *this;
}

TPropInfo& TPropInfo::Idents(TIdentMap map) {
    FIdents = std::move(map);
    return *this;
}

TPropInfo& TPropInfo::ShortString() {
    if (FKind == tkLString) FKind = tkString;
    return *this;
}
