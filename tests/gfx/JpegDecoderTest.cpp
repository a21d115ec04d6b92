#include "gfx/JpegDecoder.h"

#include "JpegTestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// Counts the pixels that differ from djpeg's output; reports the first one.
std::size_t CompareWithDjpeg(const TBitmap& bitmap, const TDjpegImage& reference)
{
    EXPECT_EQ(bitmap.Width(), reference.Width);
    EXPECT_EQ(bitmap.Height(), reference.Height);
    if (bitmap.Width() != reference.Width || bitmap.Height() != reference.Height)
        return 1;
    std::size_t differences = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        const std::uint8_t* rgb = reference.Rgb.data() + static_cast<std::size_t>(y) * reference.Width * 3;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint8_t* p = row + x * 3;
            const std::uint8_t* q = rgb + x * 3;
            if (p[0] != q[2] || p[1] != q[1] || p[2] != q[0]) {
                if (differences == 0)
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
                ++differences;
            }
        }
    }
    return differences;
}

std::size_t DecodeAndCompare(const std::vector<std::uint8_t>& jpeg, const std::string& djpegArguments = "",
                             int quantizeColors = 0)
{
    TJpegTempDir dir;
    const auto path = dir.Write("image.jpg", jpeg);
    TJpegDecoder decoder;
    decoder.SetQuantizeColors(quantizeColors);
    const TBitmap bitmap = decoder.Decode(jpeg);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    return CompareWithDjpeg(bitmap, RunDjpeg(dir, path, djpegArguments));
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Decoding must fail with the decoder's own exception and a message.
std::string DecodeError(const std::vector<std::uint8_t>& data, const TJpegDecoder& decoder = TJpegDecoder())
{
    try {
        decoder.Decode(data);
    } catch (const EJpegError& e) {
        EXPECT_FALSE(e.Message().empty());
        return e.Message();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

} // namespace

// --- Pixel-exact agreement with the library's own command-line decoder ---

TEST(JpegDecoder, ColourImagesMatchDjpegForEverySubsampling)
{
    struct TCase { int w, h, lumaH, lumaV, quality; };
    for (const TCase c : {TCase{1, 1, 2, 2, 85}, TCase{7, 5, 2, 2, 75}, TCase{37, 23, 2, 2, 95}, TCase{64, 48, 2, 1, 85},
                          TCase{301, 203, 1, 1, 90}, TCase{129, 67, 1, 2, 60}}) {
        TJpegEncodeOptions options;
        options.Width = c.w;
        options.Height = c.h;
        options.LumaH = c.lumaH;
        options.LumaV = c.lumaV;
        options.Quality = c.quality;
        EXPECT_EQ(DecodeAndCompare(EncodeTestJpeg(options)), 0u) << c.w << "x" << c.h << " " << c.lumaH << "x" << c.lumaV;
    }
}

TEST(JpegDecoder, ProgressiveImagesMatchDjpeg)
{
    TJpegEncodeOptions options;
    options.Width = 203;
    options.Height = 157;
    options.Progressive = true;
    EXPECT_EQ(DecodeAndCompare(EncodeTestJpeg(options)), 0u);
}

TEST(JpegDecoder, GreyImagesDecodeToGreyRgbMatchingDjpeg)
{
    TJpegEncodeOptions options;
    options.Components = 1;
    options.Width = 45;
    options.Height = 31;
    const auto jpeg = EncodeTestJpeg(options);
    EXPECT_EQ(DecodeAndCompare(jpeg), 0u);
    const TBitmap bitmap = DecodeJpeg(jpeg);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint32_t c = bitmap.GetPixel(x, y);
            ASSERT_EQ(c & 0xFF, (c >> 8) & 0xFF);
            ASSERT_EQ(c & 0xFF, (c >> 16) & 0xFF);
        }
}

TEST(JpegDecoder, QuantizedDecodeMatchesDjpegColours)
{
    TJpegEncodeOptions options;
    options.Width = 120;
    options.Height = 80;
    EXPECT_EQ(DecodeAndCompare(EncodeTestJpeg(options), "-colors 236", 236), 0u);
}

TEST(JpegDecoder, PostersInResourcesMatchDjpeg)
{
    int decoded = 0;
    const std::filesystem::path resources = TestSourceDir() / "resources";
    for (const auto& entry : std::filesystem::directory_iterator(resources)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext != ".jpg" && ext != ".jpeg")
            continue;
        TJpegTempDir dir;
        const TBitmap bitmap = DecodeJpeg(ReadFileBytes(entry.path()));
        EXPECT_EQ(CompareWithDjpeg(bitmap, RunDjpeg(dir, entry.path())), 0u) << entry.path();
        ++decoded;
    }
    if (decoded == 0)
        GTEST_SKIP() << "no JPEG files in " << resources;
}

TEST(JpegDecoder, SampleFilesMatchDjpegIncludingArithmeticAndRestartCoding)
{
    int decoded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestSourceDir() / "tests/data/fuzz/JpegFuzz")) {
        TJpegTempDir dir;
        EXPECT_EQ(CompareWithDjpeg(DecodeJpeg(ReadFileBytes(entry.path())), RunDjpeg(dir, entry.path())), 0u)
            << entry.path();
        ++decoded;
    }
    EXPECT_GE(decoded, 6);
}

// --- Layout of the result ---

TEST(JpegDecoder, RowsAreBottomUpInBlueGreenRedOrder)
{
    TJpegEncodeOptions options;
    options.Width = 16;
    options.Height = 16;
    options.LumaH = 1;
    options.LumaV = 1;
    options.Quality = 100;
    options.RedOverBlue = true;
    const TBitmap bitmap = DecodeJpeg(EncodeTestJpeg(options));
    ASSERT_EQ(bitmap.Stride(), 48u);
    // Bits() starts the bottom row, which is blue: B high, R low.
    const std::uint8_t* bottom = bitmap.Bits();
    EXPECT_GT(bottom[0], 240);
    EXPECT_LT(bottom[2], 15);
    // The top row, last in memory, is red.
    const std::uint8_t* top = bitmap.Bits() + 15 * bitmap.Stride();
    EXPECT_EQ(top, bitmap.ScanLine(0));
    EXPECT_LT(top[0], 15);
    EXPECT_GT(top[2], 240);
}

TEST(JpegDecoder, OddWidthsKeepRowPaddingZero)
{
    TJpegEncodeOptions options;
    options.Width = 5;
    options.Height = 9;
    const TBitmap bitmap = DecodeJpeg(EncodeTestJpeg(options));
    ASSERT_EQ(bitmap.Stride(), 16u);
    for (int y = 0; y < bitmap.Height(); ++y)
        EXPECT_EQ(bitmap.ScanLine(y)[15], 0) << y;
}

TEST(JpegDecoder, ReadInfoReportsHeaderFields)
{
    TJpegEncodeOptions options;
    options.Width = 90;
    options.Height = 11;
    options.Progressive = true;
    TJpegInfo info = TJpegDecoder().ReadInfo(EncodeTestJpeg(options));
    EXPECT_EQ(info.Width, 90);
    EXPECT_EQ(info.Height, 11);
    EXPECT_EQ(info.Components, 3);
    EXPECT_TRUE(info.Progressive);
    options.Components = 1;
    options.Progressive = false;
    info = TJpegDecoder().ReadInfo(EncodeTestJpeg(options));
    EXPECT_EQ(info.Components, 1);
    EXPECT_FALSE(info.Progressive);
}

// --- Bad input ---

TEST(JpegDecoderBadInput, EmptyAndForeignDataAreRejectedWithTheLibraryMessage)
{
    EXPECT_EQ(DecodeError({}), "Empty input file");
    EXPECT_EQ(DecodeError({'B', 'M', 0, 0, 0, 0}), "Not a JPEG file: starts with 0x42 0x4d");
    EXPECT_THROW(TJpegDecoder().ReadInfo(std::vector<std::uint8_t>{0xFF}), EInvalidGraphic);
}

TEST(JpegDecoderBadInput, EveryTruncationOfABaselineImageFails)
{
    TJpegEncodeOptions options;
    options.Width = 61;
    options.Height = 45;
    const auto jpeg = EncodeTestJpeg(options);
    const std::size_t sos = FindJpegMarker(jpeg, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    // Cut inside the headers, at the scan header and all through the entropy-coded data.
    for (std::size_t length = 1; length + 2 < jpeg.size(); length += (length < sos + 20 ? 7 : 41)) {
        const std::vector<std::uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string message = DecodeError(cut);
        if (length > sos + 20) {
            EXPECT_EQ(message, "Premature end of JPEG file") << length;
        }
    }
}

TEST(JpegDecoderBadInput, AMissingEndMarkerAloneStillDecodesTheWholeImage)
{
    TJpegEncodeOptions options;
    const auto jpeg = EncodeTestJpeg(options);
    ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    const std::vector<std::uint8_t> withoutEnd(jpeg.begin(), jpeg.end() - 2);
    const TBitmap full = DecodeJpeg(jpeg);
    const TBitmap cut = DecodeJpeg(withoutEnd);
    ASSERT_EQ(cut.ByteCount(), full.ByteCount());
    EXPECT_TRUE(std::equal(full.Bits(), full.Bits() + full.ByteCount(), cut.Bits()));
}

TEST(JpegDecoderBadInput, AProgressiveImageWithoutItsEndMarkerFails)
{
    // Without the end marker a progressive stream cannot be told from one that lost its
    // last scans, so it is refused.
    TJpegEncodeOptions options;
    options.Progressive = true;
    const auto jpeg = EncodeTestJpeg(options);
    EXPECT_EQ(DecodeError(std::vector<std::uint8_t>(jpeg.begin(), jpeg.end() - 2)), "Premature end of JPEG file");
}

TEST(JpegDecoderBadInput, TruncatedProgressiveImagesFail)
{
    TJpegEncodeOptions options;
    options.Width = 80;
    options.Height = 60;
    options.Progressive = true;
    const auto jpeg = EncodeTestJpeg(options);
    for (std::size_t length : {jpeg.size() / 4, jpeg.size() / 2, jpeg.size() - 40})
        EXPECT_EQ(DecodeError(std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length))),
                  "Premature end of JPEG file")
            << length;
}

TEST(JpegDecoderBadInput, ProgressiveScanWithInvalidParametersFails)
{
    TJpegEncodeOptions options;
    options.Progressive = true;
    auto jpeg = EncodeTestJpeg(options);
    const std::size_t sos = FindJpegMarker(jpeg, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    // Scan header: FF DA, length, Ns, Ns x (id, tables), Ss, Se, Ah/Al. Make Ss > Se.
    const std::size_t ns = jpeg[sos + 4];
    const std::size_t ss = sos + 5 + 2 * ns;
    jpeg[ss] = 10;
    jpeg[ss + 1] = 3;
    const std::string message = DecodeError(jpeg);
    EXPECT_NE(message.find("progressive"), std::string::npos) << message;
}

TEST(JpegDecoderBadInput, CorruptEntropyDataNeverCrashes)
{
    TJpegEncodeOptions options;
    options.Width = 70;
    options.Height = 50;
    for (bool progressive : {false, true}) {
        options.Progressive = progressive;
        const auto jpeg = EncodeTestJpeg(options);
        const std::size_t sos = FindJpegMarker(jpeg, 0xDA);
        unsigned seed = 7;
        for (int round = 0; round < 40; ++round) {
            auto broken = jpeg;
            for (int k = 0; k < 6; ++k) {
                seed = seed * 1103515245u + 12345u;
                const std::size_t at = sos + 14 + (seed >> 8) % (broken.size() - sos - 16);
                broken[at] = static_cast<std::uint8_t>(seed >> 3);
            }
            try {
                const TBitmap bitmap = DecodeJpeg(broken);
                EXPECT_EQ(bitmap.Width(), 70);
                EXPECT_EQ(bitmap.Height(), 50);
            } catch (const EJpegError&) {
            }
        }
    }
}

TEST(JpegDecoderBadInput, CmykAndYcckAreRejectedClearly)
{
    TJpegEncodeOptions options;
    options.Components = 4;
    options.LumaH = 1;
    options.LumaV = 1;
    EXPECT_EQ(DecodeError(EncodeTestJpeg(options)), "CMYK JPEG images are not supported");
    options.Ycck = true;
    EXPECT_EQ(DecodeError(EncodeTestJpeg(options)), "CMYK JPEG images are not supported");
    EXPECT_EQ(TJpegDecoder().ReadInfo(EncodeTestJpeg(options)).Components, 4);
}

TEST(JpegDecoderBadInput, HugeDimensionsAreRejectedBeforeDecoding)
{
    TJpegEncodeOptions options;
    options.Width = 16;
    options.Height = 16;
    const auto jpeg = EncodeTestJpeg(options);
    const std::size_t sof = FindJpegMarker(jpeg, 0xC0);
    ASSERT_NE(sof, std::string::npos);
    // SOF0: FF C0, length (2), precision (1), height (2), width (2).
    auto patch = [&](int width, int height) {
        auto data = jpeg;
        data[sof + 5] = static_cast<std::uint8_t>(height >> 8);
        data[sof + 6] = static_cast<std::uint8_t>(height);
        data[sof + 7] = static_cast<std::uint8_t>(width >> 8);
        data[sof + 8] = static_cast<std::uint8_t>(width);
        return data;
    };
    EXPECT_EQ(DecodeError(patch(65000, 65000)), "JPEG image is too large (65000 x 65000 pixels)");
    EXPECT_EQ(DecodeError(patch(16385, 8)), "JPEG image is too large (16385 x 8 pixels)");
    EXPECT_EQ(DecodeError(patch(8, 16385)), "JPEG image is too large (8 x 16385 pixels)");
    // Within each side's ceiling but above the total pixel cap.
    EXPECT_EQ(DecodeError(patch(16384, 16384)), "JPEG image is too large (16384 x 16384 pixels)");
    // A header claiming a bigger image than the data holds is not too large but truncated.
    EXPECT_EQ(DecodeError(patch(2000, 2000)), "Corrupt JPEG data: premature end of data segment");
}

TEST(JpegDecoderBadInput, LimitsAreInclusiveAndAdjustable)
{
    TJpegEncodeOptions options;
    options.Width = 64;
    options.Height = 48;
    const auto jpeg = EncodeTestJpeg(options);
    TJpegDecoder decoder;
    decoder.SetMaxDimension(64);
    decoder.SetMaxPixels(64 * 48);
    EXPECT_EQ(decoder.Decode(jpeg).Width(), 64);
    decoder.SetMaxPixels(64 * 48 - 1);
    EXPECT_EQ(DecodeError(jpeg, decoder), "JPEG image is too large (64 x 48 pixels)");
    decoder.SetMaxPixels(TJpegDecoder::DefaultMaxPixels);
    decoder.SetMaxDimension(63);
    EXPECT_THROW(decoder.Decode(jpeg), EInvalidGraphic);
}

TEST(JpegDecoderBadInput, TooManyScansAreRejected)
{
    TJpegEncodeOptions options;
    options.Progressive = true;   // the simple progression has ten scans
    const auto jpeg = EncodeTestJpeg(options);
    TJpegDecoder decoder;
    decoder.SetMaxScans(10);
    EXPECT_NO_THROW(decoder.Decode(jpeg));
    decoder.SetMaxScans(3);
    EXPECT_EQ(DecodeError(jpeg, decoder), "JPEG image has more than 3 scans");
}

TEST(JpegDecoderBadInput, QuantizationNeedsAUsableColourCount)
{
    TJpegDecoder decoder;
    EXPECT_THROW(decoder.SetQuantizeColors(1), EJpegError);
    EXPECT_THROW(decoder.SetQuantizeColors(257), EJpegError);
    decoder.SetQuantizeColors(2);
    EXPECT_EQ(decoder.QuantizeColors(), 2);
    decoder.SetQuantizeColors(0);
    EXPECT_EQ(decoder.QuantizeColors(), 0);
}
