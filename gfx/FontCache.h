#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "gfx/Font.h"
#include "gfx/TextRenderer.h"

// A rendered glyph: an 8-bit coverage bitmap placed relative to the pen position on
// the baseline (Left to the right, Top upward to the bitmap's top row).
struct TGlyphImage {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Advance = 0;                 // whole pixels
    std::vector<std::uint8_t> Coverage; // Width * Height, row-major, top row first
};

// Pixel metrics of one face at one size, as the platform's text metrics give them.
struct TFaceMetrics {
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int UnderlineOffset = 0;    // rows below the baseline to the underline's top row
    int UnderlineThickness = 1;
    int StrikeOutOffset = 0;    // rows above the baseline to the strike-out's top row
    int StrikeOutThickness = 1;
};

// One resolved face at one pixel size and style. Glyphs are rendered on first use and
// kept; lookups lock the face, so several threads may share it.
class TSizedFace {
public:
    class TImpl;
    explicit TSizedFace(std::unique_ptr<TImpl> impl);
    ~TSizedFace();
    TSizedFace(const TSizedFace&) = delete;
    TSizedFace& operator=(const TSizedFace&) = delete;

    const TFaceMetrics& Metrics() const;
    const TFontResolution& Resolution() const;
    // The glyph of a Unicode code point (the face's missing-glyph shape when absent).
    // The reference stays valid for the face's lifetime.
    const TGlyphImage& Glyph(char32_t codePoint);

private:
    std::unique_ptr<TImpl> FImpl;
};

// The process-wide cache of resolved faces. Created on first use; it owns the
// platform's font lookup (platform/FontFiles.h).
class TFontCache {
public:
    static TFontCache& Instance();

    // The face for a logical font (name, height, bold, italic); never fails: a missing
    // face resolves to a fallback, a missing fallback raises EOutOfResources.
    std::shared_ptr<TSizedFace> Face(const TFont& font);

    ~TFontCache();
    TFontCache(const TFontCache&) = delete;
    TFontCache& operator=(const TFontCache&) = delete;

private:
    TFontCache();
    class TState;
    std::unique_ptr<TState> FState;
};

