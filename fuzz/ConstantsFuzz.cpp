// Feeds arbitrary bytes to the constants-stream reader. Only a read error or the reader's own
// error may come out; a list that was read must be sorted and findable by every name.
#include "lang/ByteReader.h"
#include "lang/LangError.h"
#include "lang/Lang_Constants.h"
#include "platform/Exception.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TLang_Constants constants([] { return std::uint16_t{1034}; });
    TByteReader reader(std::span<const std::uint8_t>(data, size));
    try {
        constants.ReadStream(reader);
    } catch (const EReadError&) {
    } catch (const ELangError&) {
    }
    for (int i = 0; i < constants.Count(); ++i)
        if (&constants.FindConstant(constants.Items(i).Name) != &constants.Items(i)) __builtin_trap();
    return 0;
}
