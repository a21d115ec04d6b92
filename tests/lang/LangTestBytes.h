#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Byte builders for translation texts and constants streams in the lang tests.
using TBytes = std::vector<std::uint8_t>;

inline TBytes Utf16LeBytes(std::u16string_view text, bool withMark = true)
{
    TBytes bytes;
    if (withMark) {
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
    }
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

inline TBytes Utf16BeBytes(std::u16string_view text)
{
    TBytes bytes{0xFE, 0xFF};
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
    return bytes;
}

inline TBytes RawBytes(std::string_view text)
{
    return TBytes(text.begin(), text.end());
}

// Little-endian writers for constants streams.
inline void PutUInt16(TBytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutInt32(TBytes& out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

inline void PutName(TBytes& out, std::string_view name)
{
    PutUInt16(out, static_cast<std::uint16_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
}

inline void PutWideText(TBytes& out, std::u16string_view text)
{
    PutUInt16(out, static_cast<std::uint16_t>(text.size()));
    for (char16_t c : text)
        PutUInt16(out, static_cast<std::uint16_t>(c));
}
