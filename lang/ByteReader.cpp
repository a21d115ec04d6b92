#include "lang/ByteReader.h"

#include "platform/Exception.h"

void TByteReader::Require(std::size_t count) const
{
    if (count > Remaining())
        throw EReadError("Stream read error");
}

void TByteReader::Seek(std::size_t position)
{
    if (position > FData.size())
        throw EReadError("Stream read error");
    FPosition = position;
}

std::uint8_t TByteReader::ReadByte()
{
    Require(1);
    return FData[FPosition++];
}

std::uint16_t TByteReader::ReadUInt16()
{
    Require(2);
    const std::uint16_t value = static_cast<std::uint16_t>(FData[FPosition] | (FData[FPosition + 1] << 8));
    FPosition += 2;
    return value;
}

std::int32_t TByteReader::ReadInt32()
{
    Require(4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | FData[FPosition + static_cast<std::size_t>(i)];
    FPosition += 4;
    return static_cast<std::int32_t>(value);
}


std::string TByteReader::ReadBytes(std::size_t count)
{
    Require(count);
    std::string result(reinterpret_cast<const char*>(FData.data() + FPosition), count);
    FPosition += count;
    return result;
}

std::u16string TByteReader::ReadUtf16(std::size_t count)
{
    if (count > Remaining() / 2)
        throw EReadError("Stream read error");
    std::u16string result(count, u'\0');
    for (std::size_t i = 0; i < count; ++i)
        result[i] = static_cast<char16_t>(FData[FPosition + 2 * i] | (FData[FPosition + 2 * i + 1] << 8));
    FPosition += 2 * count;
    return result;
}

std::span<const std::uint8_t> TByteReader::ReadRest()
{
    auto rest = FData.subspan(FPosition);
    FPosition = FData.size();
    return rest;
}
