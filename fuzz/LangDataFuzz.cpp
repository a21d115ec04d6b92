// Feeds arbitrary bytes to the LangData reader. Only a read error may come out; a tree that
// was read must write back to a stream that reads to the same tree.
#include "lang/ByteReader.h"
#include "lang/Lang_CompEntry.h"
#include "platform/Exception.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TLang_CompEntry root;
    TByteReader reader(std::span<const std::uint8_t>(data, size));
    try {
        root.ReadStream(reader);
    } catch (const EReadError&) {
        return 0;
    }
    std::vector<std::uint8_t> first;
    root.WriteStream(first);
    TLang_CompEntry copy;
    TByteReader again(first);
    copy.ReadStream(again);
    std::vector<std::uint8_t> second;
    copy.WriteStream(second);
    if (first != second || again.Remaining() != 0) __builtin_trap();
    return 0;
}
