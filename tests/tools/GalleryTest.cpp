#include "PngWriter.h"
#include "WidgetGallery.h"

#include "support/TempFolder.h"

#include <png.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace {

// A PNG file read back through libpng as 8-bit RGB rows, top-down.
struct TDecodedPng {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::vector<std::uint8_t> Rgb;
};

TDecodedPng DecodePng(const std::vector<std::uint8_t>& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) throw std::runtime_error(image.message);
    image.format = PNG_FORMAT_RGB;
    TDecodedPng result{image.width, image.height, std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, result.Rgb.data(), 0, nullptr)) throw std::runtime_error(image.message);
    return result;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(PngWriterTest, PixelsComeBackRowByRowInRgbOrderAndFilesAreReplacedNotFollowed) {
    TBitmap bitmap(3, 2, TPixelFormat::pf32bit);
    bitmap.Fill(0x00FF0000);  // blue
    bitmap.SetPixel(0, 0, 0x000000FF);  // red top-left
    bitmap.SetPixel(2, 1, 0x0000FF00);  // green bottom-right
    const TDecodedPng png = DecodePng(EncodePng(bitmap));
    EXPECT_EQ(png.Width, 3u);
    EXPECT_EQ(png.Height, 2u);
    ASSERT_EQ(png.Rgb.size(), 2u * 9);
    EXPECT_EQ((std::vector<std::uint8_t>(png.Rgb.begin(), png.Rgb.begin() + 3)), (std::vector<std::uint8_t>{255, 0, 0}));
    EXPECT_EQ((std::vector<std::uint8_t>(png.Rgb.begin() + 3, png.Rgb.begin() + 6)), (std::vector<std::uint8_t>{0, 0, 255}));
    EXPECT_EQ((std::vector<std::uint8_t>(png.Rgb.end() - 3, png.Rgb.end())), (std::vector<std::uint8_t>{0, 255, 0}));
    EXPECT_THROW(EncodePng(TBitmap()), std::invalid_argument);
    EXPECT_THROW(WritePngFile(bitmap, "/nonexistent-folder/x.png"), std::runtime_error);

    // A link planted at the path is replaced by the picture; its target stays untouched.
    TTempFolder folder("veltrane-png");
    std::ofstream(folder.File("target")) << "keep";
    std::filesystem::create_symlink(folder.File("target"), folder.File("x.png"));
    WritePngFile(bitmap, folder.File("x.png"));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.File("x.png")));
    EXPECT_EQ(DecodePng(ReadFile(folder.File("x.png"))).Rgb, png.Rgb);
    EXPECT_EQ(ReadFile(folder.File("target")), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
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
            const TDecodedPng png = DecodePng(ReadFile(file));
            EXPECT_EQ(png.Width, static_cast<std::uint32_t>(scene.Width));
            EXPECT_EQ(png.Height, static_cast<std::uint32_t>(scene.Height));
            std::set<std::uint32_t> colours;
            for (std::size_t row = 0; row < png.Height; ++row)
                for (std::size_t x = 0; x < png.Width; ++x) {
                    const std::uint8_t* p = &png.Rgb[(row * png.Width + x) * 3];
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
