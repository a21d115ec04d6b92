#include "gfx/FontCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/AsciiText.h"
#include "platform/Exception.h"
#include "platform/FontFiles.h"

namespace {

// Pixel sizes are clamped to this range so hostile heights cannot exhaust memory.
constexpr double MaxPixelSize = 1000.0;
// The character height used for Height = 0.
constexpr int DefaultCharHeight = 11;

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

// FreeType's library object with the lock that guards creating and freeing faces.
struct TFreeTypeLibrary {
    FT_Library Library = nullptr;
    std::mutex Lock;
    TFreeTypeLibrary() {
        if (FT_Init_FreeType(&Library) != 0) throw EOutOfResources("Cannot initialise the font rasterizer");
    }
    ~TFreeTypeLibrary() { FT_Done_FreeType(Library); }
};

struct TFaceChoice {
    std::string File;
    int Index = 0;
    bool WantBold = false;
    bool WantItalic = false;
    TFontResolution Resolution;
};

// Width of the stem of "l" as a fraction of the em, from the unscaled outline; 0 when
// the face cannot be opened or has no such glyph.
double StemWidth(TFreeTypeLibrary& library, const std::string& file, int index) {
    FT_Face face = nullptr;
    {
        std::lock_guard<std::mutex> guard(library.Lock);
        if (FT_New_Face(library.Library, file.c_str(), index, &face) != 0) return 0;
    }
    double width = 0;
    FT_UInt glyph = FT_Get_Char_Index(face, 'l');
    if (glyph != 0 && face->units_per_EM > 0 && FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE && face->glyph->outline.n_points > 0) {
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        width = static_cast<double>(box.xMax - box.xMin) / face->units_per_EM;
    }
    std::lock_guard<std::mutex> guard(library.Lock);
    FT_Done_Face(face);
    return width;
}

} // namespace

// ---------------------------------------------------------------------------------

class TSizedFace::TImpl {
public:
    TImpl(std::shared_ptr<TFreeTypeLibrary> library, const TFaceChoice& choice, int height) : FLibrary(std::move(library)) {
        FResolution = choice.Resolution;
        {
            std::lock_guard<std::mutex> guard(FLibrary->Lock);
            if (FT_New_Face(FLibrary->Library, choice.File.c_str(), choice.Index, &FFace) != 0)
                throw EOutOfResources("Cannot open the font file \"" + choice.File + "\"");
        }
        if (FT_Select_Charmap(FFace, FT_ENCODING_UNICODE) != 0) {
            if (FT_Select_Charmap(FFace, FT_ENCODING_MS_SYMBOL) == 0) FSymbol = true;
        }
        const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
        bool faceBold = (FFace->style_flags & FT_STYLE_FLAG_BOLD) != 0 ||
                        (os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass >= 600);
        bool faceItalic = (FFace->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
        FResolution.SyntheticBold = choice.WantBold && !faceBold;
        FEmbolden = FResolution.SyntheticBold || (choice.WantBold && FResolution.LightBoldFace);
        FResolution.SyntheticItalic = choice.WantItalic && !faceItalic;
        SetSize(height);
    }

    ~TImpl() {
        std::lock_guard<std::mutex> guard(FLibrary->Lock);
        FT_Done_Face(FFace);
    }

    const TGlyphImage& Glyph(char32_t codePoint) {
        std::lock_guard<std::mutex> guard(FLock);
        auto found = FGlyphs.find(codePoint);
        if (found != FGlyphs.end()) return found->second;
        return FGlyphs.emplace(codePoint, Render(codePoint)).first->second;
    }

    TFaceMetrics Metrics;
    TFontResolution FResolution;

private:
    void SetSize(int height) {
        const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
        const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_HHEA));
        double upem = FFace->units_per_EM > 0 ? FFace->units_per_EM : 1000.0;
        double winAscent = FFace->ascender;
        double winDescent = -static_cast<double>(FFace->descender);
        if (os2 != nullptr && os2->version != 0xFFFF && (os2->usWinAscent + os2->usWinDescent) > 0) {
            winAscent = os2->usWinAscent;
            winDescent = os2->usWinDescent;
        }
        if (winAscent + winDescent <= 0) { winAscent = upem * 0.8; winDescent = upem * 0.2; }

        // Negative height: character height (em size); positive: cell height.
        double ppem;
        if (height < 0) ppem = -static_cast<double>(height);
        else if (height > 0) ppem = height * upem / (winAscent + winDescent);
        else ppem = DefaultCharHeight;
        ppem = std::clamp(ppem, 1.0, MaxPixelSize);
        FPixelSize = ppem;

        if (FT_IS_SCALABLE(FFace)) {
            FT_Set_Char_Size(FFace, 0, static_cast<FT_F26Dot6>(std::lround(ppem * 64.0)), 72, 72);
        } else if (FFace->num_fixed_sizes > 0) {
            int best = 0;
            for (int i = 1; i < FFace->num_fixed_sizes; ++i)
                if (std::abs(FFace->available_sizes[i].height - ppem) < std::abs(FFace->available_sizes[best].height - ppem)) best = i;
            FT_Select_Size(FFace, best);
        }

        double scale = ppem / upem;
        TFaceMetrics& m = Metrics;
        m.Ascent = RoundToInt(winAscent * scale);
        m.Descent = RoundToInt(winDescent * scale);
        if (height > 0) m.Descent = std::max(0, height - m.Ascent);
        m.InternalLeading = std::max(0, m.Ascent + m.Descent - RoundToInt(ppem));
        if (hhea != nullptr) {
            double lineGap = hhea->Ascender - hhea->Descender + hhea->Line_Gap - (winAscent + winDescent);
            m.ExternalLeading = std::max(0, RoundToInt(lineGap * scale));
        }
        m.MaxCharWidth = std::max(1, RoundToInt(FFace->max_advance_width * scale));
        if (os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
            m.AveCharWidth = std::max(1, RoundToInt(os2->xAvgCharWidth * scale));
        else
            m.AveCharWidth = std::max(1, RoundToInt(ppem / 2));

        double ulThickness = FFace->underline_thickness > 0 ? FFace->underline_thickness * scale : ppem / 14;
        m.UnderlineThickness = std::max(1, RoundToInt(ulThickness));
        double ulPos = FFace->underline_position != 0 ? -FFace->underline_position * scale : ppem / 10;
        m.UnderlineOffset = std::max(0, RoundToInt(ulPos - m.UnderlineThickness / 2.0));
        if (m.UnderlineOffset + m.UnderlineThickness > m.Descent)
            m.UnderlineOffset = std::max(0, m.Descent - m.UnderlineThickness);

        double soSize = (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) ? os2->yStrikeoutSize * scale : ulThickness;
        double soPos = (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0) ? os2->yStrikeoutPosition * scale : ppem * 0.26;
        m.StrikeOutThickness = std::max(1, RoundToInt(soSize));
        m.StrikeOutOffset = std::clamp(RoundToInt(soPos), m.StrikeOutThickness, std::max(m.StrikeOutThickness, m.Ascent));
    }

    TGlyphImage Render(char32_t codePoint) {
        TGlyphImage image;
        FT_ULong charCode = codePoint;
        if (FSymbol && codePoint < 0x100) charCode = 0xF000 + codePoint;
        FT_UInt index = FT_Get_Char_Index(FFace, charCode);
        if (FT_Load_Glyph(FFace, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0 &&
            FT_Load_Glyph(FFace, index, FT_LOAD_DEFAULT) != 0)
            return image;
        FT_GlyphSlot slot = FFace->glyph;
        int extraAdvance = 0;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (FResolution.SyntheticItalic) {
                FT_Matrix shear{0x10000, 0x366A, 0, 0x10000};
                FT_Outline_Transform(&slot->outline, &shear);
            }
            if (FEmbolden) {
                int strength = std::max(1, RoundToInt(FPixelSize / 24.0));
                FT_Outline_EmboldenXY(&slot->outline, strength * 64, 0);
                // A face labelled bold already has the wider bold advances.
                if (FResolution.SyntheticBold) extraAdvance = strength;
            }
        }
        // Light hinting fits outlines vertically only, so glyph shapes keep their
        // designed horizontal positions; the advance is the unhinted one rounded once,
        // which keeps the space between letters even.
        FT_Pos advance = FT_IS_SCALABLE(FFace) ? (slot->linearHoriAdvance + 512) >> 10 : slot->advance.x;
        image.Advance = static_cast<int>((advance + 32) >> 6) + extraAdvance;
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return image;
        const FT_Bitmap& bm = slot->bitmap;
        image.Left = slot->bitmap_left;
        image.Top = slot->bitmap_top;
        image.Width = static_cast<int>(bm.width);
        image.Height = static_cast<int>(bm.rows);
        image.Coverage.assign(static_cast<std::size_t>(image.Width) * image.Height, 0);
        for (int y = 0; y < image.Height; ++y) {
            const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            std::uint8_t* out = image.Coverage.data() + static_cast<std::size_t>(y) * image.Width;
            for (int x = 0; x < image.Width; ++x) {
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.num_grays > 1)
                    out[x] = static_cast<std::uint8_t>(row[x] * 255 / (bm.num_grays - 1));
            }
        }
        return image;
    }

    std::shared_ptr<TFreeTypeLibrary> FLibrary;
    FT_Face FFace = nullptr;
    bool FSymbol = false;
    bool FEmbolden = false;
    double FPixelSize = 11;
    std::mutex FLock;
    std::unordered_map<char32_t, TGlyphImage> FGlyphs;
};

TSizedFace::TSizedFace(std::unique_ptr<TImpl> impl) : FImpl(std::move(impl)) {}
TSizedFace::~TSizedFace() = default;
const TFaceMetrics& TSizedFace::Metrics() const { return FImpl->Metrics; }
const TFontResolution& TSizedFace::Resolution() const { return FImpl->FResolution; }
const TGlyphImage& TSizedFace::Glyph(char32_t codePoint) { return FImpl->Glyph(codePoint); }

// ---------------------------------------------------------------------------------

class TFontCache::TState {
public:
    TState() : Library(std::make_shared<TFreeTypeLibrary>()), Files(OpenFontFiles()) {}
    ~TState() { Faces.clear(); }

    static TFaceChoice ChoiceOf(const std::optional<TFontFile>& face, const std::string& family, bool bold, bool italic) {
        TFaceChoice choice;
        if (!face) return choice;
        choice.File = face->Path;
        choice.Index = face->Index;
        choice.Resolution.File = face->Path;
        choice.Resolution.Family = face->Family.empty() ? family : face->Family;
        choice.Resolution.StyleName = face->StyleName;
        // Whether bold or italic must be synthesised is decided by the face itself once opened.
        choice.WantBold = bold;
        choice.WantItalic = italic;
        return choice;
    }

    // The installed face of family; empty File when the family is not installed.
    TFaceChoice Match(const std::string& family, bool bold, bool italic) {
        return ChoiceOf(Files->Find(family, bold, italic), family, bold, italic);
    }

    // Whether the bold face found for family draws strokes no heavier than the regular
    // face (fonts-wine's bold Tahoma carries the regular outlines with bold advances).
    bool LightBold(const TFaceChoice& boldChoice, const std::string& family, bool italic) {
        TFaceChoice regular = Match(family, false, italic);
        if (regular.File.empty() || (regular.File == boldChoice.File && regular.Index == boldChoice.Index)) return false;
        double boldStem = StemWidth(*Library, boldChoice.File, boldChoice.Index);
        double regularStem = StemWidth(*Library, regular.File, regular.Index);
        return boldStem > 0 && regularStem > 0 && boldStem < regularStem * 1.15;
    }

    TFaceChoice Choose(const std::string& faceName, bool bold, bool italic) {
        std::string family = Files->Substitute(faceName);
        std::string key = LowerCaseAscii(family) + (bold ? "|b" : "|") + (italic ? "i" : "");
        auto found = Choices.find(key);
        if (found != Choices.end()) return found->second;
        TFaceChoice choice = Match(family, bold, italic);
        if (!choice.File.empty() && bold) choice.Resolution.LightBoldFace = LightBold(choice, family, italic);
        if (choice.File.empty()) {
            choice = ChoiceOf(Files->Fallback(bold, italic), faceName, bold, italic);
            if (choice.File.empty()) throw EOutOfResources("No usable font for \"" + faceName + "\"");
            choice.Resolution.Substituted = true;
        }
        Choices.emplace(key, choice);
        return choice;
    }

    std::shared_ptr<TFreeTypeLibrary> Library;
    std::unique_ptr<TFontFiles> Files;
    std::mutex Lock;
    std::map<std::string, TFaceChoice> Choices;
    std::map<std::string, std::shared_ptr<TSizedFace>> Faces;
};

TFontCache::TFontCache() : FState(std::make_unique<TState>()) {}
TFontCache::~TFontCache() = default;

TFontCache& TFontCache::Instance() {
    static TFontCache cache;
    return cache;
}

std::shared_ptr<TSizedFace> TFontCache::Face(const TFont& font) {
    bool bold = font.Style().Contains(fsBold);
    bool italic = font.Style().Contains(fsItalic);
    std::lock_guard<std::mutex> guard(FState->Lock);
    std::string key = LowerCaseAscii(FState->Files->Substitute(font.Name())) + "|" + std::to_string(font.Height()) + (bold ? "b" : "") + (italic ? "i" : "");
    auto found = FState->Faces.find(key);
    if (found != FState->Faces.end()) return found->second;
    TFaceChoice choice = FState->Choose(font.Name(), bold, italic);
    auto face = std::make_shared<TSizedFace>(std::make_unique<TSizedFace::TImpl>(FState->Library, choice, font.Height()));
    // Fonts in use are few; a runaway number of sizes just starts the cache afresh.
    if (FState->Faces.size() >= 64) FState->Faces.clear();
    FState->Faces.emplace(key, face);
    return face;
}
