#include "PngWriter.h"

#include "platform/AtomicFile.h"

#include <png.h>

#include <stdexcept>

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap) {
    if (bitmap.Empty()) throw std::invalid_argument("An empty bitmap cannot be written as PNG");
    const int w = bitmap.Width();
    const int h = bitmap.Height();

    // Rows top-down, pixels R, G, B.
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(h) * 3 * static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = bitmap.GetPixel(x, y);  // 0x00BBGGRR
            rgb.push_back(static_cast<std::uint8_t>(c));
            rgb.push_back(static_cast<std::uint8_t>(c >> 8));
            rgb.push_back(static_cast<std::uint8_t>(c >> 16));
        }
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
        std::vector<std::uint8_t> png(size);
        if (png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr)) {
            png.resize(size);
            return png;
        }
    }
    const std::string message = image.message;
    png_image_free(&image);
    throw std::runtime_error("PNG encoding failed: " + message);
}

void WritePngFile(const TBitmap& bitmap, const std::string& path) {
    const std::vector<std::uint8_t> png = EncodePng(bitmap);
    TAtomicFileOptions options;
    options.Mode = 0644;  // a picture for people to look at
    try {
        WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()), options);
    } catch (const EAtomicFileError& e) {
        throw std::runtime_error("Cannot create file \"" + path + "\". " + e.Message());
    }
}
