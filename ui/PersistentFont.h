#pragma once

#include "classes/EnumInfo.h"
#include "classes/Persistent.h"
#include "classes/Set.h"

#include "gfx/Font.h"

#include <cstdint>
#include <string>

VELTRANE_ENUM_INFO(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
VELTRANE_ENUM_INFO(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

// The reflected face of a graphics font: a persistent sub-object whose class name is "TFont",
// owning the gfx TFont that drawing uses. Controls publish it as their Font property
// (getter answers it, setter assigns), so form definitions can say Font.Name = 'Tahoma'.
class TPersistentFont : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    TPersistentFont() = default;
    explicit TPersistentFont(const TFont& font) : FFont(font) {}

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }

    // Takes the values of another TPersistentFont.
    void Assign(const TPersistent& source) override;

    // Reflection accessors.
    std::string GetName() const { return FFont.Name(); }
    void SetName(const std::string& value) { FFont.SetName(value); }
    int GetHeight() const { return FFont.Height(); }
    void SetHeight(int value) { FFont.SetHeight(value); }
    int GetSize() const { return FFont.Size(); }
    void SetSize(int value) { FFont.SetSize(value); }
    std::uint32_t GetColor() const { return FFont.Color(); }
    void SetColor(std::uint32_t value) { FFont.SetColor(value); }
    std::uint8_t GetCharset() const { return FFont.Charset(); }
    void SetCharset(std::uint8_t value) { FFont.SetCharset(value); }
    int GetOrientation() const { return FFont.Orientation(); }
    void SetOrientation(int value) { FFont.SetOrientation(value); }
    TFontPitch GetPitch() const { return FFont.Pitch(); }
    void SetPitch(TFontPitch value) { FFont.SetPitch(value); }
    TSet<TFontStyle> GetStyle() const { return TSet<TFontStyle>::FromBits(FFont.Style().Bits()); }
    void SetStyle(TSet<TFontStyle> value)
    {
        FFont.SetStyle(TFontStyles::FromBits(static_cast<std::uint8_t>(value.Bits())));
    }

private:
    TFont FFont;
};
