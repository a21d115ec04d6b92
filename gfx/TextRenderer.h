#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

// Text metrics of a resolved font in pixels, named as the platform names them.
struct TTextMetric {
    int tmHeight = 0;           // cell height: ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;  // cell height minus the character height
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 400;
    bool tmItalic = false;
    bool tmUnderlined = false;
    bool tmStruckOut = false;
};

// Which real face a logical font became.
struct TFontResolution {
    std::string Family;         // family name of the chosen face
    std::string StyleName;      // its style, e.g. "Bold"
    std::string File;           // the font file
    bool Substituted = false;   // the requested face was missing; a fallback was used
    bool SyntheticBold = false; // bold requested, no bold face: glyphs are emboldened
    // Bold requested and a bold face found whose strokes are no heavier than the
    // regular face's: its glyphs are emboldened too, keeping its advances.
    bool LightBoldFace = false;
    bool SyntheticItalic = false;
};

// How text is put on a bitmap. Colours are resolved 0x00BBGGRR values (the caller
// turns system colours into RGB first).
struct TTextOutOptions {
    std::uint32_t Color = 0x000000;
    // Pixels outside Clip are never written; no Clip means the whole bitmap.
    std::optional<TRect> Clip;
    // Opaque: the text's cell (advance width by cell height, rotated with the
    // text) is first filled with BackColor, as an opaque background mode does.
    bool Opaque = false;
    std::uint32_t BackColor = 0xFFFFFF;
};

// Measures and draws single-line text in a logical font. 8-bit strings are in code
// page 1252; 16-bit strings are UTF-16. Faces and glyphs are cached process-wide;
// every call is safe from any thread.
class TTextRenderer {
public:
    // Width = sum of advances (no kerning), height = cell height. Empty text is
    // (0, cell height). The extent ignores escapement: it is along the baseline.
    static TSize TextExtent(const TFont& font, std::string_view text);
    static TSize TextExtent(const TFont& font, std::u16string_view text);
    static TTextMetric TextMetrics(const TFont& font);

    // Draws text with the top-left corner of its cell at (x, y), rotated about that
    // point by the font's escapement. Anti-aliased, blended in options.Color;
    // underline and strike-out follow the font's style.
    static void TextOut(TBitmap& target, const TFont& font, int x, int y, std::string_view text,
                        const TTextOutOptions& options);
    static void TextOut(TBitmap& target, const TFont& font, int x, int y, std::u16string_view text,
                        const TTextOutOptions& options);

    static TFontResolution Resolve(const TFont& font);
};
