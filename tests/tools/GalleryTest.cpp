#include "PngWriter.h"
#include "WidgetGallery.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace {

std::uint32_t Big32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

struct TDecodedPng {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::vector<std::uint8_t> Raw;  // filter byte and R, G, B for every row
};

// Reads back what EncodePng writes: checks the signature, every chunk's CRC, the stored
// deflate blocks and the Adler-32 of the data.
TDecodedPng DecodeStoredPng(const std::vector<std::uint8_t>& png) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || std::memcmp(png.data(), signature, 8) != 0) throw std::runtime_error("no PNG signature");
    TDecodedPng result;
    std::vector<std::uint8_t> zlib;
    std::size_t i = 8;
    bool ended = false;
    while (i + 12 <= png.size()) {
        const std::uint32_t length = Big32(&png[i]);
        if (i + 12 + length > png.size()) throw std::runtime_error("chunk runs past the end");
        const std::string type(reinterpret_cast<const char*>(&png[i + 4]), 4);
        const std::uint32_t crc = Big32(&png[i + 8 + length]);
        if (crc != PngCrc32(std::span<const std::uint8_t>(&png[i + 4], length + 4))) throw std::runtime_error("bad CRC in " + type);
        if (type == "IHDR") {
            result.Width = Big32(&png[i + 8]);
            result.Height = Big32(&png[i + 12]);
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), png.begin() + static_cast<std::ptrdiff_t>(i + 8),
                        png.begin() + static_cast<std::ptrdiff_t>(i + 8 + length));
        } else if (type == "IEND") {
            ended = true;
        }
        i += 12 + length;
    }
    if (!ended) throw std::runtime_error("no IEND");
    std::size_t p = 2;
    for (;;) {
        const bool last = zlib.at(p) & 1;
        if ((zlib[p] >> 1) != 0) throw std::runtime_error("not a stored block");
        const std::size_t len = zlib.at(p + 1) | (zlib.at(p + 2) << 8);
        const std::size_t nlen = zlib.at(p + 3) | (zlib.at(p + 4) << 8);
        if ((len ^ 0xFFFF) != nlen) throw std::runtime_error("bad stored length");
        result.Raw.insert(result.Raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(p + 5),
                          zlib.begin() + static_cast<std::ptrdiff_t>(p + 5 + len));
        p += 5 + len;
        if (last) break;
    }
    if (Big32(&zlib.at(p)) != Adler32(result.Raw)) throw std::runtime_error("bad Adler-32");
    return result;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(PngWriterTest, ChecksumsOfKnownInputs) {
    const std::string check = "123456789";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(check.data()), check.size());
    EXPECT_EQ(PngCrc32(bytes), 0xCBF43926u);
    const std::string wiki = "Wikipedia";
    EXPECT_EQ(Adler32(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(wiki.data()), wiki.size())),
              0x11E60398u);
}

TEST(PngWriterTest, PixelsComeBackRowByRowInRgbOrder) {
    TBitmap bitmap(3, 2, TPixelFormat::pf32bit);
    bitmap.Fill(0x00FF0000);  // blue
    bitmap.SetPixel(0, 0, 0x000000FF);  // red top-left
    bitmap.SetPixel(2, 1, 0x0000FF00);  // green bottom-right
    const TDecodedPng png = DecodeStoredPng(EncodePng(bitmap));
    EXPECT_EQ(png.Width, 3u);
    EXPECT_EQ(png.Height, 2u);
    ASSERT_EQ(png.Raw.size(), 2u * (1 + 9));
    EXPECT_EQ(png.Raw[0], 0) << "filter none";
    EXPECT_EQ((std::vector<std::uint8_t>(png.Raw.begin() + 1, png.Raw.begin() + 4)), (std::vector<std::uint8_t>{255, 0, 0}));
    EXPECT_EQ((std::vector<std::uint8_t>(png.Raw.begin() + 4, png.Raw.begin() + 7)), (std::vector<std::uint8_t>{0, 0, 255}));
    EXPECT_EQ((std::vector<std::uint8_t>(png.Raw.end() - 3, png.Raw.end())), (std::vector<std::uint8_t>{0, 255, 0}));
}

TEST(PngWriterTest, LargeImagesSpanSeveralStoredBlocksAndEmptyOnesAreRefused) {
    TBitmap bitmap(300, 100, TPixelFormat::pf24bit);  // 90100 bytes of rows: two blocks
    bitmap.Fill(0x00123456);
    const TDecodedPng png = DecodeStoredPng(EncodePng(bitmap));
    EXPECT_EQ(png.Raw.size(), 100u * 901u);
    EXPECT_THROW(EncodePng(TBitmap()), std::invalid_argument);
    EXPECT_THROW(WritePngFile(bitmap, "/nonexistent-folder/x.png"), std::runtime_error);
}

TEST(WidgetGalleryTest, WritesEveryWidgetInItsStatesAsNonTrivialPictures) {
    TTempFolder folder("veltrane-gallery");
    const TWidgetGallery gallery;
    const std::vector<std::string> files = gallery.Run(folder.Path());
    std::size_t states = 0;
    for (const auto& scene : gallery.Scenes()) states += scene.States.size();
    ASSERT_EQ(files.size(), states + 1);
    EXPECT_EQ(files.back(), folder.File("index.html"));

    std::set<std::string> scenes;
    std::size_t at = 0;
    for (const auto& scene : gallery.Scenes()) {
        scenes.insert(scene.Name);
        for (const auto& state : scene.States) {
            const std::string& file = files[at++];
            SCOPED_TRACE(file);
            EXPECT_EQ(file, folder.File(scene.Name + "-" + state.Name + ".png"));
            const TDecodedPng png = DecodeStoredPng(ReadFile(file));
            EXPECT_EQ(png.Width, static_cast<std::uint32_t>(scene.Width));
            EXPECT_EQ(png.Height, static_cast<std::uint32_t>(scene.Height));
            std::set<std::uint32_t> colours;
            for (std::size_t row = 0; row < png.Height; ++row)
                for (std::size_t x = 0; x < png.Width; ++x) {
                    const std::uint8_t* p = &png.Raw[row * (1 + 3 * png.Width) + 1 + 3 * x];
                    colours.insert((std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
                }
            EXPECT_GE(colours.size(), 3u) << "more than a plain background";
        }
    }
    for (const char* name : {"label", "image", "shape", "groupbox", "scrollbox", "edit", "speedbutton", "spinedit",
                             "flatbutton", "flatradiobutton", "label3d", "transshape", "gradpagecontrol"})
        EXPECT_TRUE(scenes.count(name)) << name;
}

TEST(WidgetGalleryTest, PressedStatesDifferFromTheirRestingOnes) {
    TTempFolder folder("veltrane-gallery");
    TWidgetGallery().Run(folder.Path());
    for (const auto& [rest, pressed] : std::vector<std::pair<std::string, std::string>>{
             {"spinedit-normal", "spinedit-up-pressed"}, {"speedbutton-up", "speedbutton-down"},
             {"scrollbox-start", "scrollbox-scrolled"}, {"flatbutton-normal", "flatbutton-down"},
             {"edit-unfocused", "edit-focused"}})
        EXPECT_NE(ReadFile(folder.File(rest + ".png")), ReadFile(folder.File(pressed + ".png"))) << pressed;
}

}  // namespace
