// Fonts on Linux: fontconfig, with the folder where fonts-wine keeps Tahoma and its
// relatives (outside fontconfig's default folders) added to the program's own configuration.

#include "platform/FontFiles.h"

#include "platform/AsciiText.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>

#include "platform/Exception.h"

namespace {

constexpr const char* WineFontDir = "/usr/share/wine/fonts";
// The family every missing face falls back to before fontconfig's own default.
constexpr const char* FallbackFamily = "DejaVu Sans";

class TFontconfigFontFiles : public TFontFiles {
public:
    TFontconfigFontFiles()
    {
        FConfig = FcInitLoadConfigAndFonts();
        if (!FConfig)
            throw EOutOfResources("Cannot load the font configuration");
        // Only outline fonts: the bitmap .fon files there do not scale.
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(WineFontDir, error)) {
            const std::string ext = LowerCaseAscii(entry.path().extension().string());
            if (ext == ".ttf" || ext == ".ttc" || ext == ".otf")
                FcConfigAppFontAddFile(FConfig, reinterpret_cast<const FcChar8*>(entry.path().c_str()));
        }
    }
    ~TFontconfigFontFiles() override { FcConfigDestroy(FConfig); }
    TFontconfigFontFiles(const TFontconfigFontFiles&) = delete;
    TFontconfigFontFiles& operator=(const TFontconfigFontFiles&) = delete;

    std::string Substitute(const std::string& faceName) override
    {
        // The Windows names of dialog and core faces, as the metric-compatible fonts here.
        static const std::pair<const char*, const char*> table[] = {
            {"", "Tahoma"},
            {"ms shell dlg 2", "Tahoma"},
            {"ms shell dlg", "Tahoma"},
            {"ms sans serif", "Tahoma"},
            {"microsoft sans serif", "Tahoma"},
            {"system", "Tahoma"},
            {"default", "Tahoma"},
            {"arial", "Liberation Sans"},
            {"helvetica", "Liberation Sans"},
            {"times new roman", "Liberation Serif"},
            {"courier new", "Liberation Mono"},
        };
        const std::string lower = LowerCaseAscii(faceName);
        for (const auto& [from, to] : table)
            if (lower == from)
                return to;
        return faceName;
    }

    std::optional<TFontFile> Find(const std::string& family, bool bold, bool italic) override
    {
        return Match(family, bold, italic, false);
    }

    std::optional<TFontFile> Fallback(bool bold, bool italic) override
    {
        if (auto face = Match(FallbackFamily, bold, italic, false))
            return face;
        return Match("sans-serif", bold, italic, true);
    }

private:
    // Asks fontconfig for family; with anyFamily whatever it matched best.
    std::optional<TFontFile> Match(const std::string& family, bool bold, bool italic, bool anyFamily)
    {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(FConfig, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(FConfig, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match)
            return std::nullopt;

        FcChar8* file = nullptr;
        FcChar8* matchedFamily = nullptr;
        FcChar8* style = nullptr;
        int index = 0;
        FcBool scalable = FcFalse;
        FcPatternGetString(match, FC_FILE, 0, &file);
        FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily);
        FcPatternGetString(match, FC_STYLE, 0, &style);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetBool(match, FC_SCALABLE, 0, &scalable);

        bool familyOk = anyFamily;
        for (int i = 0; !familyOk; ++i) {
            FcChar8* name = nullptr;
            if (FcPatternGetString(match, FC_FAMILY, i, &name) != FcResultMatch)
                break;
            familyOk = LowerCaseAscii(reinterpret_cast<const char*>(name)) == LowerCaseAscii(family);
        }
        std::optional<TFontFile> face;
        if (file && scalable && familyOk) {
            face.emplace();
            face->Path = reinterpret_cast<const char*>(file);
            face->Index = index;
            face->Family = matchedFamily ? reinterpret_cast<const char*>(matchedFamily) : family;
            face->StyleName = style ? reinterpret_cast<const char*>(style) : "";
        }
        FcPatternDestroy(match);
        return face;
    }

    FcConfig* FConfig = nullptr;
};

} // namespace

std::unique_ptr<TFontFiles> OpenFontFiles()
{
    return std::make_unique<TFontconfigFontFiles>();
}
