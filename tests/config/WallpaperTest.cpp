#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "config/Wallpaper.h"
#include "engine/QsvImgFree.h"
#include "gfx/BmpCodec.h"
#include "gfx/JpegDecoder.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Kernel.h"
#include "platform/Resources.h"
#include "support/ScopedEnvironment.h"
#include "support/TempConfigHome.h"
#include "support/TempFolder.h"
#include "support/XConnection.h"
#include "support/XvfbServer.h"

namespace {

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TBitmap PlainPoster(const char* name)
{
    return DecodeJpeg(LoadResource("RCDATA", name));
}

// Every wallpaper test runs against a private X server with no desktop environment
// named, from its own settings store, and writes into a folder of its own.
class WallpaperTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Server = std::make_unique<TXvfbServer>(320, 240); }
    static void TearDownTestSuite() { Server.reset(); }

    void SetUp() override
    {
        FConnection = std::make_unique<TXConnection>(Server->Name());
        FDisplay = FConnection->Get();
        FEngine = std::make_unique<T_QsvImgFree>();
    }

    std::string Folder() const { return FFolder.Path() + "/"; }

    Pixmap RootPixmap() const
    {
        const Atom atom = XInternAtom(FDisplay, "_XROOTPMAP_ID", True);
        if (atom == None)
            return None;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Pixmap result = None;
        if (XGetWindowProperty(FDisplay, DefaultRootWindow(FDisplay), atom, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                               &after, &data) == Success && data) {
            if (count == 1)
                result = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
            XFree(data);
        }
        return result;
    }

    // A root window pixel as 0x00BBGGRR, the order TBitmap uses.
    std::uint32_t RootPixel(int x, int y) const
    {
        XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xDEADBEEF;
        const unsigned long rgb = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return static_cast<std::uint32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    }

    static std::unique_ptr<TXvfbServer> Server;
    TTempConfigHome FConfig;
    TTempFolder FRuntime{"veltrane-runtime"};
    TScopedEnvironment FRuntimeEnv{"XDG_RUNTIME_DIR", FRuntime.Path()};
    TScopedEnvironment FDisplayEnv{"DISPLAY", Server->Name()};
    TScopedEnvironment FDesktopEnv{"XDG_CURRENT_DESKTOP", std::nullopt};
    TTempFolder FFolder{"veltrane-wallpaper"};
    std::unique_ptr<TXConnection> FConnection;
    Display* FDisplay = nullptr;
    std::unique_ptr<T_QsvImgFree> FEngine;
};

std::unique_ptr<TXvfbServer> WallpaperTest::Server;

} // namespace

TEST(WallpaperNames, FollowThePosterResourceNames)
{
    EXPECT_EQ(WallpaperPosterName(1), "img01");
    EXPECT_EQ(WallpaperPosterName(9), "img09");
    EXPECT_EQ(WallpaperPosterName(10), "img10");
    EXPECT_EQ(WallpaperFileName(3), "Vtnimg03.bmp");
    EXPECT_EQ(WallpaperFileName(10), "Vtnimg10.bmp");
}

TEST_F(WallpaperTest, WritesThePosterAtItsOwnSizeAsAn24BitBitmapFile)
{
    const std::string path = SetWallpaperIn(*FEngine, 3, Folder());
    EXPECT_EQ(path, Folder() + "Vtnimg03.bmp");
    const std::vector<std::uint8_t> bytes = FileBytes(path);
    const std::size_t stride = (1200 * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * 798);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), bytes.size());   // file size
    EXPECT_EQ(Le32(bytes, 10), 54u);           // pixels right after the two headers
    EXPECT_EQ(Le32(bytes, 14), 40u);           // information header
    EXPECT_EQ(Le32(bytes, 18), 1200u);
    EXPECT_EQ(Le32(bytes, 22), 798u);          // positive: rows bottom-up
    EXPECT_EQ(Le16(bytes, 26), 1);             // planes
    EXPECT_EQ(Le16(bytes, 28), 24);            // bits a pixel
    EXPECT_EQ(Le32(bytes, 30), 0u);            // uncompressed
}

TEST_F(WallpaperTest, TheWatermarkMarksTheTopLeftAndNothingElse)
{
    const std::string path = SetWallpaperIn(*FEngine, 3, Folder());
    const TBitmap written = TBmpCodec().ReadFile(path);
    const TBitmap plain = PlainPoster("img03");
    ASSERT_EQ(written.Width(), plain.Width());
    ASSERT_EQ(written.Height(), plain.Height());
    int changed = 0;
    int yellow = 0;
    int changedOutside = 0;
    for (int y = 0; y < written.Height(); ++y)
        for (int x = 0; x < written.Width(); ++x) {
            if (written.GetPixel(x, y) == plain.GetPixel(x, y))
                continue;
            // The text starts at (5, 5); an 18-point line is less than 40 pixels high.
            if (x >= 5 && y >= 5 && y < 45 && x < 400) {
                ++changed;
                yellow += written.GetPixel(x, y) == 0x00FFFF ? 1 : 0;
            } else {
                ++changedOutside;
            }
        }
    EXPECT_GT(changed, 200);
    EXPECT_GT(yellow, 0);
    EXPECT_EQ(changedOutside, 0);
}

TEST_F(WallpaperTest, TheLargePostersKeepTheirSizeToo)
{
    const TBitmap written = TBmpCodec().ReadFile(SetWallpaperIn(*FEngine, 5, Folder()));
    EXPECT_EQ(written.Width(), 3008);
    EXPECT_EQ(written.Height(), 2000);
}

TEST_F(WallpaperTest, TheRootWindowShowsThePosterCoveringTheScreen)
{
    const Pixmap before = RootPixmap();
    const std::string path = SetWallpaperIn(*FEngine, 3, Folder());
    EXPECT_NE(RootPixmap(), before);
    EXPECT_NE(RootPixmap(), static_cast<Pixmap>(None));
    // 1200 x 798 on 320 x 240: the height fills the screen, the width becomes 361 and
    // 20 columns are cut on the left. Far from the watermark the file and screen agree.
    const TBitmap written = TBmpCodec().ReadFile(path);
    for (auto [x, y] : {std::pair{160, 120}, std::pair{300, 230}, std::pair{10, 200}}) {
        const int sx = (x + 20) * 1200 / 361;
        const int sy = y * 798 / 240;
        EXPECT_EQ(RootPixel(x, y), written.GetPixel(sx, sy)) << x << "," << y;
    }
}

TEST_F(WallpaperTest, PressingTwiceWritesTheSameFileAgain)
{
    {
        // Whatever a longer earlier file held is gone: the file is rewritten whole.
        std::ofstream junk(Folder() + "Vtnimg03.bmp", std::ios::binary);
        junk << std::string(5'000'000, 'x');
    }
    const std::string path = SetWallpaperIn(*FEngine, 3, Folder());
    const std::vector<std::uint8_t> first = FileBytes(path);
    const Pixmap firstPixmap = RootPixmap();
    SetWallpaperIn(*FEngine, 3, Folder());
    EXPECT_EQ(FileBytes(path), first);
    EXPECT_NE(RootPixmap(), firstPixmap);
    EXPECT_EQ(Le32(first, 2), first.size());
}

TEST_F(WallpaperTest, AFolderThatCannotTakeTheFileGivesTheSystemsReason)
{
    const std::string notAFolder = FFolder.File("plain-file");
    std::ofstream(notAFolder) << "x";
    const Pixmap before = RootPixmap();
    try {
        SetWallpaperIn(*FEngine, 1, notAFolder + "/");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file \"" + notAFolder + "/Vtnimg01.bmp\". Not a directory").c_str());
    }
    try {
        SetWallpaperIn(*FEngine, 2, Folder() + "missing/");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file \"" + Folder() + "missing/Vtnimg02.bmp\". No such file or directory").c_str());
    }
    EXPECT_EQ(RootPixmap(), before) << "a file that was not written is not applied";
}

TEST_F(WallpaperTest, AVeryLongPathIsNeverCutShort)
{
    // A cut path would name another file; the whole path fails with the system's reason.
    const std::string longFolder = Folder() + std::string(5000, 'a') + "/";
    try {
        SetWallpaperIn(*FEngine, 1, longFolder);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file \"" + longFolder + "Vtnimg01.bmp\". File name too long").c_str());
    }
}

TEST_F(WallpaperTest, AnUnknownProgramFolderIsRefusedRatherThanGuessed)
{
    EXPECT_THROW(SetWallpaperIn(*FEngine, 1, ""), EFCreateError);
    EXPECT_THROW(SetWallpaperIn(*FEngine, 1, "relative/"), EFCreateError);
    EXPECT_FALSE(std::filesystem::exists("Vtnimg01.bmp"));
}

TEST_F(WallpaperTest, NoThumbnailSelectedNamesAPosterThatDoesNotExist)
{
    try {
        SetWallpaperIn(*FEngine, 0, Folder());
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource img00 not found");
    }
    EXPECT_FALSE(std::filesystem::exists(Folder() + "Vtnimg00.bmp"));
}

TEST_F(WallpaperTest, WithoutAnyDisplayOrDesktopTheFileIsWrittenAndTheFailureReported)
{
    TScopedEnvironment noDisplay("DISPLAY", ":65000");
    EXPECT_THROW(SetWallpaperIn(*FEngine, 4, Folder()), EWallpaperError);
    EXPECT_TRUE(std::filesystem::exists(Folder() + "Vtnimg04.bmp"));
}

TEST_F(WallpaperTest, TheDefaultFolderIsTheExecutables)
{
    const std::string expected = GetExecutableDirectory() + "Vtnimg02.bmp";
    std::filesystem::remove(expected);
    SetWallpaper(*FEngine, 2);
    EXPECT_TRUE(std::filesystem::exists(expected));
    std::filesystem::remove(expected);
}

TEST_F(WallpaperTest, APosterThatCannotBeDecodedLeavesTheFileAndTheDesktopAsTheyWere)
{
    const std::string path = Folder() + "Vtnimg07.bmp";
    std::ofstream(path, std::ios::binary) << "the wallpaper set before";
    const Pixmap before = RootPixmap();
    const std::vector<std::uint8_t> garbage{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
    EXPECT_THROW(WritePosterWallpaper(*FEngine, garbage, path), EJpegError);
    const TResourceBytes poster = LoadResource("RCDATA", "img07");
    const std::vector<std::uint8_t> cut(poster.begin(), poster.begin() + static_cast<std::ptrdiff_t>(poster.size() / 3));
    EXPECT_THROW(WritePosterWallpaper(*FEngine, cut, path), EJpegError) << "a poster cut short";
    EXPECT_THROW(WritePosterWallpaper(*FEngine, {}, path), EJpegError) << "no bytes at all";
    std::ifstream in(path, std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "the wallpaper set before");
    EXPECT_EQ(RootPixmap(), before);
}
