#include "JpegTestImages.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <jpeglib.h>

namespace {

// A photo-like pattern: smooth gradients with some noise and sharp edges, so that every
// part of the inverse DCT and of the upsampling is exercised.
std::uint8_t Sample(const TJpegEncodeOptions& o, int x, int y, int c, unsigned& noise)
{
    if (o.RedOverBlue)
        return c == (y < o.Height / 2 ? 0 : 2) ? 255 : 0;
    noise = noise * 1103515245u + 12345u;
    const int n = static_cast<int>((noise >> 16) & 31) - 16;
    int v = (x * 255) / (o.Width > 1 ? o.Width - 1 : 1) * (c + 1) / 3 + (y * 200) / (o.Height > 1 ? o.Height : 1) * (2 - c % 3) / 2;
    if (((x / 8) + (y / 8)) % 5 == c)
        v = 255 - v;
    v = v / 2 + n;
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

} // namespace

std::vector<std::uint8_t> EncodeTestJpeg(const TJpegEncodeOptions& o)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(o.Width);
    cinfo.image_height = static_cast<JDIMENSION>(o.Height);
    cinfo.input_components = o.Components;
    cinfo.in_color_space = o.Components == 1 ? JCS_GRAYSCALE : o.Components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (o.Components == 4 && o.Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, o.Quality, TRUE);
    if (o.Components >= 3) {
        cinfo.comp_info[0].h_samp_factor = o.LumaH;
        cinfo.comp_info[0].v_samp_factor = o.LumaV;
    }
    if (o.Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(o.Width) * o.Components);
    unsigned noise = o.Seed;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < o.Width; ++x)
            for (int c = 0; c < o.Components; ++c)
                row[static_cast<std::size_t>(x) * o.Components + c] = Sample(o, x, y, c, noise);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> result(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return result;
}

std::size_t FindJpegMarker(const std::vector<std::uint8_t>& data, std::uint8_t code)
{
    std::size_t i = 2;
    while (i + 4 <= data.size() && data[i] == 0xFF) {
        if (data[i + 1] == code)
            return i;
        if (data[i + 1] == 0xDA)
            break;   // entropy-coded data follows; the header markers are over
        i += 2 + ((data[i + 2] << 8) | data[i + 3]);
    }
    return std::string::npos;
}

TJpegTempDir::TJpegTempDir() = default;

std::filesystem::path TJpegTempDir::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    const std::filesystem::path path = FPath / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return path;
}

TDjpegImage RunDjpeg(const TJpegTempDir& dir, const std::filesystem::path& jpeg, const std::string& arguments)
{
    const std::filesystem::path out = dir.Path() / (jpeg.filename().string() + ".ppm");
    const std::string command =
        "djpeg -rgb -pnm " + arguments + " -outfile '" + out.string() + "' '" + jpeg.string() + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("djpeg failed: " + command);
    std::ifstream in(out, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    TDjpegImage image;
    in >> magic >> image.Width >> image.Height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255)
        throw std::runtime_error("djpeg wrote no 8-bit PPM");
    image.Rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (image.Rgb.size() != static_cast<std::size_t>(image.Width) * image.Height * 3)
        throw std::runtime_error("djpeg output is short");
    return image;
}
