// Feeds arbitrary bytes to the bitmap reader, as a file and as a headerless bitmap. What
// reads must survive a write and a second read unchanged.
#include "gfx/BmpCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void RoundTrip(const TBitmap& bitmap)
{
    const TBitmap again = TBmpCodec().Read(TBmpCodec::Write(bitmap));
    if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height() || again.ByteCount() != bitmap.ByteCount() ||
        (bitmap.ByteCount() > 0 && std::memcmp(again.Bits(), bitmap.Bits(), bitmap.ByteCount()) != 0))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBmpCodec codec;
    codec.SetMaxPixels(4u * 1024 * 1024);
    try {
        RoundTrip(codec.Read({data, size}));
    } catch (const EBmpError&) {
    }
    try {
        RoundTrip(codec.ReadDib({data, size}));
    } catch (const EBmpError&) {
    }
    return 0;
}
