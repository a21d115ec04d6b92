#include "gfx/Font.h"

#include <cstdint>
#include <cstdlib>

namespace {

// a * b / c rounded to nearest, halves away from zero, with a 64-bit intermediate.
int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    bool negative = (product < 0) != (c < 0);
    std::int64_t absProduct = std::llabs(product);
    std::int64_t absDivisor = std::llabs(static_cast<std::int64_t>(c));
    std::int64_t quotient = (absProduct + absDivisor / 2) / absDivisor;
    return static_cast<int>(negative ? -quotient : quotient);
}

} // namespace

TFont::TFont() : FName("MS Sans Serif"), FHeight(-11), FColor(DefaultColor), FCharset(DEFAULT_CHARSET) {}

TFont::TFont(const TFont& other)
    : FName(other.FName), FHeight(other.FHeight), FStyle(other.FStyle), FColor(other.FColor),
      FCharset(other.FCharset), FEscapement(other.FEscapement), FOrientation(other.FOrientation),
      FPitch(other.FPitch) {}

TFont& TFont::operator=(const TFont& other) {
    if (this != &other) Assign(other);
    return *this;
}

void TFont::Changed() {
    if (FOnChange) FOnChange();
}

void TFont::SetName(const std::string& value) {
    if (value == FName) return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (value == FHeight) return;
    FHeight = value;
    Changed();
}

int TFont::Size() const { return -MulDivRound(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDivRound(value, PixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles value) {
    if (value == FStyle) return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(std::uint32_t value) {
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(TFontCharset value) {
    if (value == FCharset) return;
    FCharset = value;
    Changed();
}

void TFont::SetEscapement(int value) {
    if (value == FEscapement) return;
    FEscapement = value;
    Changed();
}

void TFont::SetOrientation(int value) {
    if (value == FOrientation) return;
    FOrientation = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == FPitch) return;
    FPitch = value;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
           FColor == other.FColor && FCharset == other.FCharset && FEscapement == other.FEscapement &&
           FOrientation == other.FOrientation && FPitch == other.FPitch;
}

void TFont::Assign(const TFont& source) {
    if (&source == this || SameAs(source)) return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    FEscapement = source.FEscapement;
    FOrientation = source.FOrientation;
    FPitch = source.FPitch;
    Changed();
}
