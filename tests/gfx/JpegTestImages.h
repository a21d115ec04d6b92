#pragma once

#include "support/TempFolder.h"
#include "support/TestTree.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Builds JPEG streams for the decoder tests with the library's own compressor.
struct TJpegEncodeOptions {
    int Width = 64;
    int Height = 48;
    int Components = 3;          // 1 grey, 3 colour, 4 CMYK
    bool Ycck = false;           // with 4 components: store as YCCK instead of CMYK
    int Quality = 85;
    bool Progressive = false;
    int LumaH = 2;               // sampling factors of the first component
    int LumaV = 2;
    unsigned Seed = 1;
    bool RedOverBlue = false;    // colour only: top half pure red, bottom half pure blue
};

std::vector<std::uint8_t> EncodeTestJpeg(const TJpegEncodeOptions& options);

// Offset of the first marker 0xFF code after the start of image, or npos.
std::size_t FindJpegMarker(const std::vector<std::uint8_t>& data, std::uint8_t code);

// A directory removed with everything in it when the object goes away.
class TJpegTempDir {
public:
    TJpegTempDir();
    TJpegTempDir(const TJpegTempDir&) = delete;
    TJpegTempDir& operator=(const TJpegTempDir&) = delete;
    const std::filesystem::path& Path() const { return FPath; }
    std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    TTempFolder FFolder{"veltrane-jpeg"};
    std::filesystem::path FPath{FFolder.Path()};
};

// Decodes a file with djpeg to RGB (arguments such as "-colors 236" go before the file)
// and answers width, height and the R, G, B bytes top row first.
struct TDjpegImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgb;
};
TDjpegImage RunDjpeg(const TJpegTempDir& dir, const std::filesystem::path& jpeg, const std::string& arguments = "");
