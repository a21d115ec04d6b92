#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles) FBits |= Bit(s);
    }
    constexpr bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TFontStyles& Include(TFontStyle s) { FBits |= Bit(s); return *this; }
    constexpr TFontStyles& Exclude(TFontStyle s) { FBits &= static_cast<std::uint8_t>(~Bit(s)); return *this; }
    constexpr std::uint8_t Bits() const { return FBits; }
    static constexpr TFontStyles FromBits(std::uint8_t bits) { TFontStyles r; r.FBits = bits & 0x0F; return r; }

    friend constexpr TFontStyles operator+(TFontStyles a, TFontStyle s) { return a.Include(s); }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyle s) { return a.Exclude(s); }
    friend constexpr TFontStyles operator+(TFontStyles a, TFontStyles b) { a.FBits |= b.FBits; return a; }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyles b) { a.FBits &= static_cast<std::uint8_t>(~b.FBits); return a; }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr std::uint8_t Bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << s); }
    std::uint8_t FBits = 0;
};

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;

// A logical font: a description of the wanted face, size and look. It is resolved to
// a real face only when text is measured or drawn (see TTextRenderer).
//
// Height < 0 is the character height in pixels (cell height minus internal leading),
// Height > 0 the cell height, 0 the default size. Size is in points at 96 pixels an
// inch: Height = -MulDiv(Size, 96, 72), Size = -MulDiv(Height, 72, 96).
// Escapement is the angle of the text's baseline in tenths of a degree, counter-
// clockwise (900 = text going up); Orientation (the angle of each glyph) is stored
// and compared but text is drawn with glyphs upright relative to the baseline.
//
// The default font is "MS Sans Serif", height -11 (8 points), colour clWindowText,
// as the form framework has it; "MS Sans Serif" resolves to a Tahoma-like face.
//
// OnChange fires once after a setter or Assign that really changed a value. Copying
// a font copies its values only; the copy has no OnChange. Assignment is Assign.
class TFont {
public:
    static constexpr int PixelsPerInch = 96;
    static constexpr std::uint32_t DefaultColor = 0xFF000008; // clWindowText

    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);
    ~TFont() = default;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    std::uint32_t Color() const { return FColor; }   // 0x00BBGGRR or a system colour
    void SetColor(std::uint32_t value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value);
    int Escapement() const { return FEscapement; }
    void SetEscapement(int value);
    int Orientation() const { return FOrientation; }
    void SetOrientation(int value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    // 700 when bold, 400 otherwise.
    int Weight() const { return FStyle.Contains(fsBold) ? 700 : 400; }

    // Takes every value of source; fires OnChange once when anything differed.
    void Assign(const TFont& source);
    // True when every value (not the callback) is equal.
    bool SameAs(const TFont& other) const;

    void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }
    const std::function<void()>& OnChange() const { return FOnChange; }

private:
    void Changed();

    std::string FName;
    int FHeight;
    TFontStyles FStyle;
    std::uint32_t FColor;
    TFontCharset FCharset;
    int FEscapement = 0;
    int FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    std::function<void()> FOnChange;
};
