#include "gfx/BmpCodec.h"

#include "JpegTestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    v[at] = static_cast<std::uint8_t>(x);
    v[at + 1] = static_cast<std::uint8_t>(x >> 8);
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
    Put16(v, at, x);
    Put16(v, at + 2, x >> 16);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& v, std::size_t at)
{
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<std::uint32_t>(v[at + 3]) << 24);
}

// An independent writer of test files: a palette image from rows of indices (top row
// first), packed most significant bits first, rows padded to four bytes.
struct TTestBmp {
    int Width = 0;
    int Height = 0;
    int BitCount = 8;
    bool TopDown = false;
    std::uint32_t HeaderSize = 40;
    std::vector<std::uint32_t> Palette;            // 0x00BBGGRR
    std::vector<std::vector<unsigned>> Indices;     // palette images
    std::vector<std::vector<std::uint32_t>> Colors; // 24- and 32-bit images
    std::uint32_t ColorsUsed = 0;

    std::vector<std::uint8_t> Dib() const
    {
        const bool core = HeaderSize == 12;
        const std::size_t entry = core ? 3 : 4;
        const std::size_t stride = ((static_cast<std::size_t>(Width) * BitCount + 31) / 32) * 4;
        std::vector<std::uint8_t> v(HeaderSize + Palette.size() * entry + stride * Height, 0);
        Put32(v, 0, HeaderSize);
        if (core) {
            Put16(v, 4, Width);
            Put16(v, 6, Height);
            Put16(v, 8, 1);
            Put16(v, 10, BitCount);
        } else {
            Put32(v, 4, static_cast<std::uint32_t>(Width));
            Put32(v, 8, static_cast<std::uint32_t>(TopDown ? -Height : Height));
            Put16(v, 12, 1);
            Put16(v, 14, BitCount);
            Put32(v, 32, ColorsUsed);
        }
        std::size_t at = HeaderSize;
        for (std::uint32_t c : Palette) {
            v[at] = static_cast<std::uint8_t>(c >> 16);
            v[at + 1] = static_cast<std::uint8_t>(c >> 8);
            v[at + 2] = static_cast<std::uint8_t>(c);
            at += entry;
        }
        for (int y = 0; y < Height; ++y) {
            const std::size_t row = at + stride * static_cast<std::size_t>(TopDown ? y : Height - 1 - y);
            for (int x = 0; x < Width; ++x) {
                if (BitCount <= 8) {
                    const unsigned bitPos = static_cast<unsigned>(x) * BitCount;
                    v[row + bitPos / 8] |= static_cast<std::uint8_t>(Indices[y][x] << (8 - BitCount - bitPos % 8));
                } else if (BitCount >= 24) {
                    const std::size_t p = row + static_cast<std::size_t>(x) * (BitCount / 8);
                    const std::uint32_t c = Colors[y][x];
                    v[p] = static_cast<std::uint8_t>(c >> 16);
                    v[p + 1] = static_cast<std::uint8_t>(c >> 8);
                    v[p + 2] = static_cast<std::uint8_t>(c);
                }
            }
        }
        return v;
    }

    std::vector<std::uint8_t> File() const
    {
        const std::vector<std::uint8_t> dib = Dib();
        const bool core = HeaderSize == 12;
        std::vector<std::uint8_t> v(14 + dib.size(), 0);
        std::copy(dib.begin(), dib.end(), v.begin() + 14);
        v[0] = 'B';
        v[1] = 'M';
        Put32(v, 2, static_cast<std::uint32_t>(14 + dib.size()));
        Put32(v, 10, static_cast<std::uint32_t>(14 + HeaderSize + Palette.size() * (core ? 3 : 4)));
        return v;
    }
};

std::vector<std::vector<unsigned>> IndexRows(int w, int h, unsigned modulo)
{
    std::vector<std::vector<unsigned>> rows(h, std::vector<unsigned>(w));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rows[y][x] = static_cast<unsigned>(x * 7 + y * 3) % modulo;
    return rows;
}

std::vector<std::uint32_t> Palette(unsigned count)
{
    std::vector<std::uint32_t> palette;
    for (unsigned i = 0; i < count; ++i)
        palette.push_back((i * 0x1F3A75u + 0x102030u) & 0xFFFFFF);
    return palette;
}

void ExpectIndexedImage(const TBitmap& bitmap, const TTestBmp& source)
{
    ASSERT_EQ(bitmap.Width(), source.Width);
    ASSERT_EQ(bitmap.Height(), source.Height);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    for (int y = 0; y < source.Height; ++y)
        for (int x = 0; x < source.Width; ++x)
            ASSERT_EQ(bitmap.GetPixel(x, y), source.Palette[source.Indices[y][x]]) << x << ", " << y;
}

TBitmap RandomBitmap(int w, int h, TPixelFormat format, unsigned seed)
{
    TBitmap bitmap(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            bitmap.SetPixel(x, y, seed >> 8);
        }
    return bitmap;
}

std::string ReadError(const std::vector<std::uint8_t>& data, const TBmpCodec& codec = TBmpCodec())
{
    try {
        codec.Read(data);
    } catch (const EBmpError& e) {
        return e.Message();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

class TTempDir {
public:
    TTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltrane-bmp-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            FPath = pattern;
    }
    ~TTempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

} // namespace

// --- Writing ---

TEST(BmpWrite, HeadersAreTheUncompressed24BitLayout)
{
    TBitmap bitmap(3, 2, TPixelFormat::pf24bit);
    bitmap.SetPixel(0, 0, 0x00030201);   // top-left
    bitmap.SetPixel(2, 1, 0x00060504);   // bottom-right
    const std::vector<std::uint8_t> file = TBmpCodec::Write(bitmap);
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,   // file header: size 78, pixels at 54
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0,            // info header size, width 3, height +2
        1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,           // planes 1, 24 bits, BI_RGB, image size 24
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // resolution, colours used, important
        // bottom row first: pixel (2, 1) is the last of it; each row padded to 12 bytes
        0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0, 0,
        3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(file, expected);
}

TEST(BmpWrite, PosterSizedFileHasTheExpectedSizes)
{
    const TBitmap bitmap(1200, 798, TPixelFormat::pf32bit);
    const std::vector<std::uint8_t> file = TBmpCodec::Write(bitmap);
    EXPECT_EQ(file.size(), 54u + 3600u * 798u);
    EXPECT_EQ(Get32(file, 2), file.size());
    EXPECT_EQ(Get32(file, 18), 1200u);
    EXPECT_EQ(Get32(file, 22), 798u);
    EXPECT_EQ(Get32(file, 34), 3600u * 798u);
}

TEST(BmpWrite, ThirtyTwoBitSourceWritesTheSameFileAsItsTwentyFourBitForm)
{
    TBitmap wide = RandomBitmap(7, 5, TPixelFormat::pf32bit, 3);
    TBitmap narrow;
    narrow.Assign(wide);
    narrow.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(TBmpCodec::Write(wide), TBmpCodec::Write(narrow));
}

TEST(BmpWrite, RoundTripKeepsEveryPixelForAllPaddings)
{
    for (int w = 1; w <= 6; ++w) {
        const TBitmap original = RandomBitmap(w, 4, TPixelFormat::pf24bit, static_cast<unsigned>(w));
        TBmpInfo info;
        const TBitmap back = TBmpCodec().Read(TBmpCodec::Write(original), &info);
        ASSERT_EQ(back.Width(), w);
        ASSERT_EQ(back.Height(), 4);
        EXPECT_EQ(info.BitCount, 24);
        EXPECT_FALSE(info.TopDown);
        EXPECT_EQ(info.HeaderSize, 40);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(back.GetPixel(x, y), original.GetPixel(x, y)) << w;
    }
}

TEST(BmpWrite, FileHoldsExactlyTheWrittenBytesAndIsOverwritten)
{
    TTempDir dir;
    const std::string path = (dir.Path() / "Vtnimg03.bmp").string();
    const TBitmap first = RandomBitmap(9, 9, TPixelFormat::pf24bit, 1);
    const TBitmap second = RandomBitmap(5, 3, TPixelFormat::pf24bit, 2);
    TBmpCodec::WriteFile(first, path);
    TBmpCodec::WriteFile(second, path);
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, TBmpCodec::Write(second));
    const TBitmap back = TBmpCodec().ReadFile(path);
    EXPECT_EQ(back.GetPixel(4, 2), second.GetPixel(4, 2));
}

TEST(BmpWrite, UncreatableFileRaisesTheCreateErrorWithPathAndReason)
{
    TTempDir dir;
    const std::string path = (dir.Path() / "missing" / "Vtnimg01.bmp").string();
    try {
        TBmpCodec::WriteFile(TBitmap(2, 2), path);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + path + "\". No such file or directory");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A disk that fills up mid-write (here a file size limit) is reported, and the file written
// before stays whole: nothing but the finished file ever takes its name.
TEST(BmpWrite, AFullDiskIsReportedAndKeepsTheFileBefore)
{
    TTempDir dir;
    const std::string path = (dir.Path() / "Vtnimg03.bmp").string();
    TBmpCodec::WriteFile(TBitmap(4, 4), path);
    const std::string before = FileText(path);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            TBmpCodec::WriteFile(TBitmap(64, 64), path);
        } catch (const EStreamError& e) {
            ::_exit(std::string(e.what()) == "Cannot write file \"" + path + "\". File too large" ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(FileText(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

// The folder may hold a link or a FIFO planted under the file's name: the link is replaced,
// never followed, and anything but a regular file is refused at once, never opened.
TEST(BmpWrite, APlantedLinkOrFifoNeverRedirectsOrBlocksTheWrite)
{
    TTempDir dir;
    const std::string path = (dir.Path() / "Vtnimg03.bmp").string();
    const std::string victim = (dir.Path() / "victim").string();
    std::ofstream(victim) << "not the wallpaper";
    std::filesystem::create_symlink(victim, path);
    const TBitmap bitmap = RandomBitmap(9, 9, TPixelFormat::pf24bit, 1);
    TBmpCodec::WriteFile(bitmap, path);
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(FileText(victim), "not the wallpaper");
    const std::vector<std::uint8_t> expected = TBmpCodec::Write(bitmap);
    EXPECT_EQ(FileText(path), std::string(expected.begin(), expected.end()));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    try {
        TBmpCodec::WriteFile(bitmap, path);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + path + "\". Not a regular file");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

// --- Reading ---

TEST(BmpRead, SpinGlyphStyleFourBitImageReadsItsColours)
{
    // 9 x 6, 16 colours: a black triangle on olive, as the spin arrows are drawn.
    TTestBmp glyph;
    glyph.Width = 9;
    glyph.Height = 6;
    glyph.BitCount = 4;
    glyph.Palette = Palette(16);
    glyph.Palette[0] = 0x000000;
    glyph.Palette[3] = 0x008080;
    glyph.Indices.assign(6, std::vector<unsigned>(9, 3));
    for (int row = 1; row <= 4; ++row)
        for (int x = 5 - row; x <= 3 + row; ++x)
            glyph.Indices[row][x] = 0;
    TBmpInfo info;
    const TBitmap bitmap = TBmpCodec().Read(glyph.File(), &info);
    ExpectIndexedImage(bitmap, glyph);
    EXPECT_EQ(bitmap.GetPixel(0, 5), 0x008080u);   // the transparent colour
    EXPECT_EQ(bitmap.GetPixel(4, 1), 0x000000u);
    EXPECT_EQ(bitmap.GetPixel(3, 1), 0x008080u);
    EXPECT_EQ(info.BitCount, 4);
    EXPECT_EQ(info.Palette, glyph.Palette);
}

TEST(BmpRead, PaletteImagesOfOneFourAndEightBitsBothRowOrders)
{
    for (int bits : {1, 4, 8})
        for (bool topDown : {false, true})
            for (int w : {1, 7, 8, 9, 33}) {
                TTestBmp bmp;
                bmp.Width = w;
                bmp.Height = 5;
                bmp.BitCount = bits;
                bmp.TopDown = topDown;
                bmp.Palette = Palette(1u << bits);
                bmp.Indices = IndexRows(w, 5, 1u << bits);
                TBmpInfo info;
                const TBitmap bitmap = TBmpCodec().Read(bmp.File(), &info);
                SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown << ", width " << w);
                ExpectIndexedImage(bitmap, bmp);
                EXPECT_EQ(info.TopDown, topDown);
                EXPECT_EQ(info.Height, 5);
            }
}

TEST(BmpRead, ShortPaletteFromColoursUsedAndIndicesBeyondItReadBlack)
{
    TTestBmp bmp;
    bmp.Width = 4;
    bmp.Height = 1;
    bmp.BitCount = 8;
    bmp.ColorsUsed = 2;
    bmp.Palette = {0x0000FF, 0x00FF00};
    bmp.Indices = {{0, 1, 2, 255}};
    const TBitmap bitmap = TBmpCodec().Read(bmp.File());
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x00FF00u);
    EXPECT_EQ(bitmap.GetPixel(2, 0), 0u);
    EXPECT_EQ(bitmap.GetPixel(3, 0), 0u);
}

TEST(BmpRead, LongerAndCoreHeadersAreAccepted)
{
    for (std::uint32_t header : {12u, 40u, 52u, 56u, 108u, 124u}) {
        TTestBmp bmp;
        bmp.HeaderSize = header;
        bmp.Width = 6;
        bmp.Height = 3;
        bmp.BitCount = 8;
        bmp.Palette = Palette(256);
        bmp.Indices = IndexRows(6, 3, 256);
        TBmpInfo info;
        ExpectIndexedImage(TBmpCodec().Read(bmp.File(), &info), bmp);
        EXPECT_EQ(info.HeaderSize, static_cast<int>(header));
        // Without the file header, as a bitmap resource stores it.
        ExpectIndexedImage(TBmpCodec().ReadDib(bmp.Dib()), bmp);
    }
}

TEST(BmpRead, DirectColourImagesOf24And32Bits)
{
    for (int bits : {24, 32})
        for (bool topDown : {false, true}) {
            TTestBmp bmp;
            bmp.Width = 5;
            bmp.Height = 3;
            bmp.BitCount = bits;
            bmp.TopDown = topDown;
            bmp.Colors.assign(3, std::vector<std::uint32_t>(5));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    bmp.Colors[y][x] = static_cast<std::uint32_t>(0x010203 * (x + 1) + 0x400000 * y);
            const TBitmap bitmap = TBmpCodec().Read(bmp.File());
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    ASSERT_EQ(bitmap.GetPixel(x, y), bmp.Colors[y][x]) << bits << " " << topDown;
        }
}

TEST(BmpRead, SixteenBitPixelsExpandFiveBitChannels)
{
    TTestBmp bmp;
    bmp.Width = 2;
    bmp.Height = 1;
    bmp.BitCount = 16;
    std::vector<std::uint8_t> file = bmp.File();
    // 0x7C00 is full red, 0x0010 is blue 16 of 31.
    const std::size_t pixels = Get32(file, 10);
    Put16(file, pixels, 0x7C00);
    Put16(file, pixels + 2, 0x0010);
    const TBitmap bitmap = TBmpCodec().Read(file);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x840000u);
}

TEST(BmpRead, MissingPaddingAfterTheLastRowIsTolerated)
{
    const TBitmap original = RandomBitmap(5, 3, TPixelFormat::pf24bit, 9);
    std::vector<std::uint8_t> file = TBmpCodec::Write(original);
    file.resize(file.size() - 1);   // 15 pixel bytes + 1 padding byte in the top row
    const TBitmap back = TBmpCodec().Read(file);
    EXPECT_EQ(back.GetPixel(4, 0), original.GetPixel(4, 0));
    file.resize(file.size() - 1);   // now a pixel byte is missing
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the pixel data is truncated");
}

TEST(BmpRead, PixelOffsetIsTakenFromTheFileHeader)
{
    TTestBmp bmp;
    bmp.Width = 2;
    bmp.Height = 2;
    bmp.BitCount = 8;
    bmp.Palette = Palette(256);
    bmp.Indices = {{1, 2}, {3, 4}};
    std::vector<std::uint8_t> file = bmp.File();
    // Move the pixels 6 bytes further away, with a gap after the palette.
    const std::uint32_t offset = Get32(file, 10);
    file.insert(file.begin() + offset, 6, 0xEE);
    Put32(file, 10, offset + 6);
    ExpectIndexedImage(TBmpCodec().Read(file), bmp);
}

TEST(BmpRead, ZeroSizedImagesReadAsEmptyBitmaps)
{
    EXPECT_TRUE(TBmpCodec().Read(TBmpCodec::Write(TBitmap())).Empty());
}

TEST(BmpRead, MissingFileRaisesTheOpenError)
{
    TTempDir dir;
    const std::string path = (dir.Path() / "none.bmp").string();
    try {
        TBmpCodec().ReadFile(path);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\". No such file or directory");
    }
}

TEST(BmpRead, BitmapsInResourcesReadAndTheSpinArrowsHaveTheirShape)
{
    const std::filesystem::path resources = TestSourceDir() / "resources";
    int read = 0;
    for (const auto& entry : std::filesystem::directory_iterator(resources)) {
        if (entry.path().extension() != ".bmp")
            continue;
        const TBitmap bitmap = TBmpCodec().ReadFile(entry.path().string());
        EXPECT_FALSE(bitmap.Empty()) << entry.path();
        ++read;
    }
    if (!std::filesystem::exists(resources / "SpinUp.bmp"))
        GTEST_SKIP() << "no spin arrows in " << resources << " (" << read << " bitmaps read)";
    // Rows from the top: empty, 1, 3, 5, 7 black pixels centred on column 4, empty; olive elsewhere.
    const TBitmap up = TBmpCodec().ReadFile((resources / "SpinUp.bmp").string());
    const TBitmap down = TBmpCodec().ReadFile((resources / "SpinDown.bmp").string());
    ASSERT_EQ(up.Width(), 9);
    ASSERT_EQ(up.Height(), 6);
    ASSERT_EQ(down.Width(), 9);
    ASSERT_EQ(down.Height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            const int half = y >= 1 && y <= 4 ? y - 1 : -1;
            const bool black = half >= 0 && x >= 4 - half && x <= 4 + half;
            EXPECT_EQ(up.GetPixel(x, y), black ? 0x000000u : 0x008080u) << x << ", " << y;
            EXPECT_EQ(down.GetPixel(x, 5 - y), black ? 0x000000u : 0x008080u) << x << ", " << y;
        }
}

TEST(BmpRead, SampleFilesOfEveryKindRead)
{
    // Files written outside this reader: core and V5 headers, 1 to 32 bits, top-down.
    int read = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestSourceDir() / "tests/data/fuzz/BmpFuzz")) {
        TBmpInfo info;
        const TBitmap bitmap = TBmpCodec().ReadFile(entry.path().string(), &info);
        EXPECT_FALSE(bitmap.Empty()) << entry.path();
        ++read;
    }
    EXPECT_GE(read, 8);
    TBmpInfo info;
    const TBitmap mono = TBmpCodec().ReadFile((TestSourceDir() / "tests/data/fuzz/BmpFuzz/mono.bmp").string(), &info);
    EXPECT_EQ(info.BitCount, 1);
    EXPECT_EQ(mono.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(mono.GetPixel(1, 0), 0u);
    EXPECT_EQ(mono.GetPixel(9, 2), 0xFFFFFFu);
    const TBitmap core = TBmpCodec().ReadFile((TestSourceDir() / "tests/data/fuzz/BmpFuzz/core4.bmp").string(), &info);
    EXPECT_EQ(info.HeaderSize, 12);
    EXPECT_EQ(core.GetPixel(1, 0), info.Palette[2]);
    EXPECT_EQ(info.Palette[2], 0x002010DFu);   // stored B, G, R = 0x20, 0x10, 0xDF
}

// --- Bad input ---

class BmpBadInput : public testing::Test {
protected:
    void SetUp() override
    {
        FGood.Width = 9;
        FGood.Height = 6;
        FGood.BitCount = 4;
        FGood.Palette = Palette(16);
        FGood.Indices = IndexRows(9, 6, 16);
        FFile = FGood.File();
    }
    TTestBmp FGood;
    std::vector<std::uint8_t> FFile;
};

TEST_F(BmpBadInput, WrongFileHeaders)
{
    EXPECT_EQ(ReadError({}), "Bitmap image is not valid: the file is shorter than its header");
    EXPECT_EQ(ReadError(std::vector<std::uint8_t>(FFile.begin(), FFile.begin() + 13)),
              "Bitmap image is not valid: the file is shorter than its header");
    auto file = FFile;
    file[1] = 'X';
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the file does not start with \"BM\"");
    file = FFile;
    Put32(file, 10, 3);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the pixel offset lies inside the file header");
    Put32(file, 10, 14 + 40);   // inside the palette
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the pixel data overlaps the headers");
    Put32(file, 10, 0xFFFFFFF0u);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the pixel data is truncated");
}

TEST_F(BmpBadInput, WrongInformationHeaders)
{
    auto file = FFile;
    Put32(file, 14, 41);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: unknown information header size 41");
    EXPECT_EQ(ReadError(std::vector<std::uint8_t>(FFile.begin(), FFile.begin() + 16)),
              "Bitmap image is not valid: the information header is missing");
    EXPECT_EQ(ReadError(std::vector<std::uint8_t>(FFile.begin(), FFile.begin() + 40)),
              "Bitmap image is not valid: the information header is truncated");
    file = FFile;
    Put16(file, 26, 2);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: 2 colour planes");
    file = FFile;
    Put16(file, 28, 2);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: 2 bits per pixel");
    Put16(file, 28, 0);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: 0 bits per pixel");
}

TEST_F(BmpBadInput, CompressedBitmapsAreRejectedByName)
{
    auto file = FFile;
    Put32(file, 30, 1);
    EXPECT_EQ(ReadError(file), "Compressed bitmaps (RLE8) are not supported");
    Put32(file, 30, 2);
    EXPECT_EQ(ReadError(file), "Compressed bitmaps (RLE4) are not supported");
    Put32(file, 30, 3);
    EXPECT_EQ(ReadError(file), "Compressed bitmaps (BITFIELDS) are not supported");
    Put32(file, 30, 99);
    EXPECT_EQ(ReadError(file), "Bitmap compression 99 is not supported");
}

TEST_F(BmpBadInput, NegativeAndHugeSizes)
{
    auto file = FFile;
    Put32(file, 18, static_cast<std::uint32_t>(-9));
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: negative width");
    file = FFile;
    Put32(file, 22, static_cast<std::uint32_t>(INT_MIN));
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the image is too large (9 x 2147483648 pixels)");
    file = FFile;
    Put32(file, 18, 0x7FFFFFFF);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the image is too large (2147483647 x 6 pixels)");
    // Within the side limit, above the pixel cap, and with the data missing.
    file = FFile;
    Put32(file, 18, 30000);
    Put32(file, 22, 30000);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the image is too large (30000 x 30000 pixels)");
    // Allowed by the limits but claiming more pixels than the file holds.
    file = FFile;
    Put32(file, 18, 4000);
    Put32(file, 22, 4000);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the pixel data is truncated");
    TBmpCodec codec;
    codec.SetMaxPixels(9 * 6 - 1);
    EXPECT_EQ(ReadError(FFile, codec), "Bitmap image is not valid: the image is too large (9 x 6 pixels)");
    codec.SetMaxPixels(9 * 6);
    EXPECT_EQ(codec.Read(FFile).Width(), 9);
}

TEST_F(BmpBadInput, PaletteProblems)
{
    auto file = FFile;
    Put32(file, 46, 17);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the palette holds 17 colours, more than 16");
    TTestBmp big;
    big.Width = 1;
    big.Height = 1;
    big.BitCount = 24;
    big.Colors = {{0}};
    file = big.File();
    Put32(file, 46, 1u << 30);
    EXPECT_EQ(ReadError(file), "Bitmap image is not valid: the palette holds 1073741824 colours, more than 256");
    EXPECT_THROW(TBmpCodec().ReadDib(std::vector<std::uint8_t>(FFile.begin() + 14, FFile.begin() + 14 + 40 + 63)),
                 EBmpError);
}

TEST_F(BmpBadInput, EveryTruncationFails)
{
    // The last stored row is the top one; the reader needs its 5 pixel bytes, not its 3 padding bytes.
    const std::size_t padding = 3;
    for (std::size_t length = 0; length < FFile.size() - padding; ++length)
        EXPECT_THROW(TBmpCodec().Read(std::vector<std::uint8_t>(FFile.begin(), FFile.begin() + static_cast<std::ptrdiff_t>(length))),
                     EInvalidGraphic)
            << length;
    const std::vector<std::uint8_t> dib = FGood.Dib();
    for (std::size_t length = 0; length < dib.size() - padding; ++length)
        EXPECT_THROW(TBmpCodec().ReadDib(std::vector<std::uint8_t>(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(length))),
                     EBmpError)
            << length;
    EXPECT_NO_THROW(TBmpCodec().Read(std::vector<std::uint8_t>(FFile.begin(), FFile.end() - padding)));
}
