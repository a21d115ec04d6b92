#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A read position over bytes held elsewhere (a resource, a buffer). Reading past the end
// raises EReadError "Stream read error" and leaves the position where it was, so a count
// taken from the data can never make a reader allocate more than the data holds.
class TByteReader {
public:
    explicit TByteReader(std::span<const std::uint8_t> data) : FData(data) {}
    // The reader does not own its bytes: a temporary buffer would be gone before the first read.
    explicit TByteReader(std::vector<std::uint8_t>&&) = delete;

    std::size_t Position() const { return FPosition; }
    std::size_t Size() const { return FData.size(); }
    std::size_t Remaining() const { return FData.size() - FPosition; }
    void Seek(std::size_t position);

    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    // `count` bytes as 8-bit text.
    std::string ReadBytes(std::size_t count);
    // `count` UTF-16LE code units.
    std::u16string ReadUtf16(std::size_t count);
    // Everything from the position to the end.
    std::span<const std::uint8_t> ReadRest();

private:
    void Require(std::size_t count) const;

    std::span<const std::uint8_t> FData;
    std::size_t FPosition = 0;
};
