#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor and removes the file unless Keep() was called.
class TTempFile {
public:
    explicit TTempFile(std::string pattern) : FName(std::move(pattern)), FHandle(::mkstemp(FName.data())) {
        if (FHandle >= 0) ::fchmod(FHandle, 0644);  // a picture for people to look at
    }
    ~TTempFile() {
        if (FHandle >= 0) ::close(FHandle);
        if (FHandle >= 0 && !FKept) ::unlink(FName.c_str());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    bool IsOpen() const { return FHandle >= 0; }
    const std::string& Name() const { return FName; }
    bool WriteAll(const std::vector<std::uint8_t>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(FHandle, bytes.data() + done, bytes.size() - done);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return ::fsync(FHandle) == 0;
    }
    void Keep() { FKept = true; }

private:
    std::string FName;
    int FHandle;
    bool FKept = false;
};

}  // namespace

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
    TTempFile file(path + ".XXXXXX");
    if (!file.IsOpen() || !file.WriteAll(png) || std::rename(file.Name().c_str(), path.c_str()) != 0)
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    file.Keep();
}
