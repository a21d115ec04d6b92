#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TFormValue;

// Extra stored properties an object defines beside its published ones (TPersistent::DefineProperties):
// binary data such as a language controller's LangData, or the lines of a string list.
// A reader looks its property names up here; a writer would store those whose HasData is true.
class TFiler {
public:
    using TValueReader = std::function<void(const TFormValue&)>;
    using TBinaryReader = std::function<void(std::span<const std::uint8_t>)>;
    using TBinaryWriter = std::function<void(std::vector<std::uint8_t>&)>;

    struct TDefinedProperty {
        std::string Name;
        TValueReader ReadValue;    // for a value of any kind, when set
        TBinaryReader ReadBinary;  // for binary data in braces, when set
        TBinaryWriter WriteBinary;
        bool HasData = false;
    };

    void DefineProperty(std::string name, TValueReader reader, bool hasData);
    void DefineBinaryProperty(std::string name, TBinaryReader reader, TBinaryWriter writer, bool hasData);

    // ASCII letter case ignored.
    const TDefinedProperty* Find(std::string_view name) const;
    const std::vector<TDefinedProperty>& Properties() const { return FProperties; }

private:
    std::vector<TDefinedProperty> FProperties;
};
