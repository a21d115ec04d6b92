#include "platform/Exception.h"
#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TestTree.h"

namespace {

struct TListedResource {
    std::string Type;
    std::string Name;
    std::string Path;
};

std::string SourceDir()
{
    return TestSourceDir().string();
}

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads resources/resources.list the way the build does: TYPE NAME path, '#' comments.
std::vector<TListedResource> ListedResources()
{
    std::ifstream in(SourceDir() + "/resources/resources.list");
    std::vector<TListedResource> result;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        TListedResource entry;
        if (fields >> entry.Type >> entry.Name >> entry.Path)
            result.push_back(entry);
    }
    return result;
}

std::vector<std::uint8_t> Bytes(TResourceBytes bytes)
{
    return {bytes.begin(), bytes.end()};
}

std::string Flip(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (std::uint32_t(b.at(at + 3)) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

// The facts a test needs from a Windows bitmap file with a BITMAPINFOHEADER.
struct TBmpFacts {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint16_t BitCount = 0;
    std::uint32_t Compression = 0;
    std::uint32_t PixelOffset = 0;
    std::uint32_t FileSize = 0;
    std::uint32_t HeaderSize = 0;
};

TBmpFacts ParseBmp(const std::vector<std::uint8_t>& b)
{
    EXPECT_GE(b.size(), 54u);
    EXPECT_EQ(b.at(0), 'B');
    EXPECT_EQ(b.at(1), 'M');
    TBmpFacts facts;
    facts.FileSize = U32(b, 2);
    facts.PixelOffset = U32(b, 10);
    facts.HeaderSize = U32(b, 14);
    facts.Width = static_cast<std::int32_t>(U32(b, 18));
    facts.Height = static_cast<std::int32_t>(U32(b, 22));
    facts.BitCount = U16(b, 28);
    facts.Compression = U32(b, 30);
    return facts;
}

// The colour (0x00RRGGBB) of pixel (x, y), y counted from the top, of a 4-bit bitmap.
std::uint32_t Pixel4(const std::vector<std::uint8_t>& b, int x, int y)
{
    const TBmpFacts f = ParseBmp(b);
    const std::size_t stride = ((f.Width * 4 + 31) / 32) * 4;
    const std::size_t row = static_cast<std::size_t>(f.Height - 1 - y);
    const std::uint8_t packed = b.at(f.PixelOffset + row * stride + x / 2);
    const unsigned index = (x % 2 == 0) ? (packed >> 4) : (packed & 0x0F);
    const std::size_t entry = 14 + f.HeaderSize + index * 4;
    return (b.at(entry + 2) << 16) | (b.at(entry + 1) << 8) | b.at(entry);
}

constexpr std::uint32_t Olive = 0x808000;
constexpr std::uint32_t Black = 0x000000;

// Draws a glyph as text ('#' black, '.' olive, '?' anything else) for readable failures.
std::string GlyphPicture(const std::vector<std::uint8_t>& bmp)
{
    std::string picture;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 9; ++x) {
            const std::uint32_t c = Pixel4(bmp, x, y);
            picture += c == Black ? '#' : c == Olive ? '.' : '?';
        }
        picture += '\n';
    }
    return picture;
}

} // namespace

// ---- Every listed file is embedded with its exact bytes ----------------------------

TEST(ResourcesEmbedding, ListIsNotEmpty)
{
    EXPECT_FALSE(ListedResources().empty());
}

TEST(ResourcesEmbedding, EveryListedFileIsFoundWithItsExactBytes)
{
    for (const TListedResource& entry : ListedResources()) {
        SCOPED_TRACE(entry.Type + " " + entry.Name);
        const auto found = FindResource(entry.Type, entry.Name);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(Bytes(*found), ReadFile(SourceDir() + "/resources/" + entry.Path));
    }
}

TEST(ResourcesEmbedding, LookupIgnoresLetterCaseOfTypeAndName)
{
    for (const TListedResource& entry : ListedResources()) {
        SCOPED_TRACE(entry.Type + " " + entry.Name);
        const auto exact = FindResource(entry.Type, entry.Name);
        const auto flipped = FindResource(Flip(entry.Type), Flip(entry.Name));
        ASSERT_TRUE(flipped.has_value());
        EXPECT_EQ(flipped->data(), exact->data());
        EXPECT_EQ(flipped->size(), exact->size());
    }
}

TEST(ResourcesEmbedding, DistinctResourcesHaveDistinctData)
{
    // A table that pointed two records at one file would still pass the byte test for
    // identical files, so check that the data pointers differ.
    std::vector<const std::uint8_t*> seen;
    for (const TListedResource& entry : ListedResources())
        seen.push_back(LoadResource(entry.Type, entry.Name).data());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}

TEST(ResourcesLookup, TypeMustMatch)
{
    EXPECT_TRUE(FindResource("BITMAP", "SpinUp").has_value());
    EXPECT_FALSE(FindResource("RCDATA", "SpinUp").has_value());
    EXPECT_FALSE(FindResource("", "SpinUp").has_value());
}

TEST(ResourcesLookup, NameMustMatchWhole)
{
    EXPECT_FALSE(FindResource("BITMAP", "Spin").has_value());
    EXPECT_FALSE(FindResource("BITMAP", "SpinUpX").has_value());
    EXPECT_FALSE(FindResource("BITMAP", "").has_value());
    EXPECT_FALSE(FindResource("BITMAP", std::string_view("SpinUp\0", 7)).has_value());
}

TEST(ResourcesLookup, MissingResourceGivesNothing)
{
    EXPECT_FALSE(FindResource("RCDATA", "NO_SUCH_RESOURCE").has_value());
}

TEST(ResourcesLookup, LoadingMissingResourceRaisesWithTheNameAsGiven)
{
    try {
        LoadResource("RCDATA", "No_Such_Thing");
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource No_Such_Thing not found");
        EXPECT_STREQ(e.ClassName(), "EResNotFound");
    }
}

// ---- Spin edit glyphs ---------------------------------------------------------------

TEST(ResourcesGlyphs, SpinUpIsA9x6SixteenColourUpTriangle)
{
    const auto bmp = Bytes(LoadResource("BITMAP", "SpinUp"));
    const TBmpFacts f = ParseBmp(bmp);
    EXPECT_EQ(f.Width, 9);
    EXPECT_EQ(f.Height, 6);
    EXPECT_EQ(f.BitCount, 4);
    EXPECT_EQ(f.Compression, 0u);
    EXPECT_EQ(f.FileSize, bmp.size());
    EXPECT_EQ(GlyphPicture(bmp),
              ".........\n"
              "....#....\n"
              "...###...\n"
              "..#####..\n"
              ".#######.\n"
              ".........\n");
}

TEST(ResourcesGlyphs, SpinDownIsTheSamePictureUpsideDown)
{
    const auto bmp = Bytes(LoadResource("BITMAP", "SpinDown"));
    const TBmpFacts f = ParseBmp(bmp);
    EXPECT_EQ(f.Width, 9);
    EXPECT_EQ(f.Height, 6);
    EXPECT_EQ(f.BitCount, 4);
    EXPECT_EQ(GlyphPicture(bmp),
              ".........\n"
              ".#######.\n"
              "..#####..\n"
              "...###...\n"
              "....#....\n"
              ".........\n");
}

TEST(ResourcesGlyphs, BottomLeftPixelIsTheOliveBackground)
{
    // The speed button takes the bottom-left pixel's colour as transparent.
    for (const char* name : {"SpinUp", "SpinDown"}) {
        const auto bmp = Bytes(LoadResource("BITMAP", name));
        EXPECT_EQ(Pixel4(bmp, 0, 5), Olive) << name;
    }
}

// ---- Posters, thumbnails, banner and icons ------------------------------------------

namespace {

// What the frame header of a JPEG says, read marker by marker up to the first SOFn.
struct TJpegFacts {
    bool Jfif = false;       // an APP0 "JFIF\0" segment comes first
    int FrameMarker = 0;     // 0xC0 for baseline, 0xC2 for progressive, ...
    int Precision = 0;
    int Width = 0;
    int Height = 0;
    int Components = 0;
};

TJpegFacts ParseJpeg(const std::vector<std::uint8_t>& b)
{
    TJpegFacts facts;
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return facts;
    std::size_t at = 2;
    bool first = true;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF)
            return facts;
        const int marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::size_t length = (b[at + 2] << 8) | b[at + 3];
        if (length < 2 || at + 2 + length > b.size())
            return facts;
        const std::uint8_t* segment = &b[at + 4];
        if (first && marker == 0xE0 && length >= 7 && std::equal(segment, segment + 5, "JFIF"))
            facts.Jfif = true;
        first = false;
        const bool isFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            facts.FrameMarker = marker;
            facts.Precision = segment[0];
            facts.Height = (segment[1] << 8) | segment[2];
            facts.Width = (segment[3] << 8) | segment[4];
            facts.Components = segment[5];
            return facts;
        }
        at += 2 + length;
    }
    return facts;
}

std::string TwoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

TEST(ResourcesPosters, ElevenBaselineJfifPostersOfTheirExactSizes)
{
    for (int n = 1; n <= 11; ++n) {
        const std::string name = "img" + TwoDigits(n);  // asked for in lower case
        SCOPED_TRACE(name);
        const auto found = FindResource("RCDATA", name);
        ASSERT_TRUE(found.has_value());
        const TJpegFacts f = ParseJpeg(Bytes(*found));
        EXPECT_TRUE(f.Jfif);
        EXPECT_EQ(f.FrameMarker, 0xC0) << "not a baseline frame";
        EXPECT_EQ(f.Precision, 8);
        EXPECT_EQ(f.Components, 3);
        const int wantWidth = (n == 5 || n == 8) ? 3008 : 1200;
        const int wantHeight = (n == 5 || n == 8) ? 2000 : (n == 11 ? 800 : 798);
        EXPECT_EQ(f.Width, wantWidth);
        EXPECT_EQ(f.Height, wantHeight);
    }
}

TEST(ResourcesThumbnails, TenUncompressed24BitBitmapsOf105x85)
{
    for (int n = 1; n <= 10; ++n) {
        const std::string name = "ch" + TwoDigits(n);
        SCOPED_TRACE(name);
        const auto found = FindResource("BITMAP", name);
        ASSERT_TRUE(found.has_value());
        const auto bmp = Bytes(*found);
        const TBmpFacts f = ParseBmp(bmp);
        EXPECT_EQ(f.Width, 105);
        EXPECT_EQ(f.Height, 85);  // positive: rows bottom-up
        EXPECT_EQ(f.BitCount, 24);
        EXPECT_EQ(f.Compression, 0u);
        EXPECT_EQ(f.HeaderSize, 40u);
        EXPECT_EQ(f.FileSize, bmp.size());
        const std::size_t stride = (105 * 3 + 3) / 4 * 4;
        EXPECT_GE(bmp.size(), f.PixelOffset + stride * 85);
    }
}

TEST(ResourcesThumbnails, ThumbnailsAreNotAllTheSamePicture)
{
    std::vector<std::vector<std::uint8_t>> seen;
    for (int n = 1; n <= 10; ++n)
        seen.push_back(Bytes(LoadResource("BITMAP", "CH" + TwoDigits(n))));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}

TEST(ResourcesDialog, BannerIsA450x153Jpeg)
{
    const TJpegFacts f = ParseJpeg(Bytes(LoadResource("RCDATA", "BANNER")));
    EXPECT_EQ(f.FrameMarker, 0xC0);
    EXPECT_EQ(f.Width, 450);
    EXPECT_EQ(f.Height, 153);
    EXPECT_EQ(f.Components, 3);
}

TEST(ResourcesDialog, IconsAre32x32Bitmaps)
{
    const std::pair<const char*, const char*> icons[] = {
        {"RCDATA", "FLAG_EN"}, {"RCDATA", "FLAG_ES"}, {"ICON", "MAINICON"}};
    for (const auto& [type, name] : icons) {
        SCOPED_TRACE(name);
        const auto bmp = Bytes(LoadResource(type, name));
        const TBmpFacts f = ParseBmp(bmp);
        EXPECT_EQ(f.Width, 32);
        EXPECT_EQ(f.Height, 32);
        EXPECT_EQ(f.BitCount, 24);
        EXPECT_EQ(f.Compression, 0u);
        EXPECT_EQ(f.FileSize, bmp.size());
    }
}
