#pragma once

#include <memory>
#include <optional>
#include <string>

// One face in a font file.
struct TFontFile {
    std::string Path;        // in the form the font rasterizer opens
    int Index = 0;           // the face within a collection file
    std::string Family;
    std::string StyleName;   // e.g. "Bold"; may be empty
};

// The system's installed outline fonts, looked up by family name. Not thread-safe: the
// font cache that owns it serialises its calls.
class TFontFiles {
public:
    virtual ~TFontFiles() = default;
    // The family a face name stands for on this system ("MS Shell Dlg 2" -> "Tahoma");
    // the name itself when nothing replaces it.
    virtual std::string Substitute(const std::string& faceName) = 0;
    // The installed face of family closest to the weight and slant asked for (names
    // compared without regard to ASCII case); nothing when family is not installed.
    virtual std::optional<TFontFile> Find(const std::string& family, bool bold, bool italic) = 0;
    // The face a missing family falls back to; nothing when no outline font is installed.
    virtual std::optional<TFontFile> Fallback(bool bold, bool italic) = 0;
};

// The platform's font lookup. Raises EOutOfResources when the system's font
// configuration cannot be read at all.
std::unique_ptr<TFontFiles> OpenFontFiles();
