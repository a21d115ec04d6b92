// Feeds arbitrary bytes to the JPEG decoder: it must either decode or raise EJpegError,
// never crash, exit, hang on endless scans or allocate without bound.
#include "gfx/JpegDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TJpegDecoder decoder;
    // Small limits keep each run fast; the limits themselves are what is being tested.
    decoder.SetMaxPixels(4u * 1024 * 1024);
    decoder.SetMaxScans(100);
    if (size > 0)
        decoder.SetQuantizeColors(data[size - 1] == 0x42 ? 236 : 0);
    try {
        const TBitmap bitmap = decoder.Decode({data, size});
        const TJpegInfo info = decoder.ReadInfo({data, size});
        if (bitmap.Width() != info.Width || bitmap.Height() != info.Height)
            __builtin_trap();
    } catch (const EJpegError&) {
    }
    return 0;
}
