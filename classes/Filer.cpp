#include "classes/Filer.h"

#include "platform/AsciiText.h"

void TFiler::DefineProperty(std::string name, TValueReader reader, bool hasData) {
    TDefinedProperty property;
    property.Name = std::move(name);
    property.ReadValue = std::move(reader);
    property.HasData = hasData;
    FProperties.push_back(std::move(property));
}

void TFiler::DefineBinaryProperty(std::string name, TBinaryReader reader, TBinaryWriter writer, bool hasData) {
    TDefinedProperty property;
    property.Name = std::move(name);
    property.ReadBinary = std::move(reader);
    property.WriteBinary = std::move(writer);
    property.HasData = hasData;
    FProperties.push_back(std::move(property));
}

const TFiler::TDefinedProperty* TFiler::Find(std::string_view name) const {
    for (const TDefinedProperty& property : FProperties)
        if (SameText(property.Name, name)) return &property;
    return nullptr;
}
