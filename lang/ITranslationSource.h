#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Something that can write the lines of a language source: the constants list or a
// language controller.
class ITranslationSource {
public:
    virtual ~ITranslationSource() = default;
    // Brings the source up to date; false when it has nothing to write.
    virtual bool PrepareSource() = 0;
    // Appends one line per translatable item; items whose flags share a bit with `filter` are left out.
    virtual void WriteSource(std::vector<std::u16string>& lines, std::uint8_t filter) = 0;
    // The section the lines belong to.
    virtual std::u16string SourceSection() const = 0;
};
