#include "platform/win32/TrueTypeNames.h"

#include <optional>

namespace {

constexpr std::uint32_t Tag(char a, char b, char c, char d)
{
    return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(b) << 16) |
           (static_cast<std::uint32_t>(c) << 8) | static_cast<std::uint32_t>(d);
}

// Big-endian reads that answer nothing past the end of the file.
class TReader {
public:
    explicit TReader(const std::vector<std::uint8_t>& bytes) : FBytes(bytes) {}
    std::optional<std::uint32_t> U16(std::size_t at) const
    {
        if (at + 2 > FBytes.size() || at + 2 < at)
            return std::nullopt;
        return (static_cast<std::uint32_t>(FBytes[at]) << 8) | FBytes[at + 1];
    }
    std::optional<std::uint32_t> U32(std::size_t at) const
    {
        auto high = U16(at), low = U16(at + 2);
        if (!high || !low)
            return std::nullopt;
        return (*high << 16) | *low;
    }
    bool Has(std::size_t at, std::size_t length) const { return at <= FBytes.size() && length <= FBytes.size() - at; }
    std::uint8_t Byte(std::size_t at) const { return FBytes[at]; }

private:
    const std::vector<std::uint8_t>& FBytes;
};

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Name nameId of the face whose table directory starts at face: the Windows (Unicode,
// US English preferred) record, else the Macintosh Roman one.
std::string FaceName(const TReader& reader, std::size_t face, std::uint32_t nameId)
{
    const auto tables = reader.U16(face + 4);
    if (!tables)
        return {};
    std::optional<std::uint32_t> nameTable;
    for (std::uint32_t i = 0; i < *tables && !nameTable; ++i) {
        const std::size_t record = face + 12 + 16 * static_cast<std::size_t>(i);
        if (reader.U32(record) == Tag('n', 'a', 'm', 'e'))
            nameTable = reader.U32(record + 8);
    }
    if (!nameTable)
        return {};
    const auto count = reader.U16(*nameTable + 2);
    const auto storage = reader.U16(*nameTable + 4);
    if (!count || !storage)
        return {};
    std::string best;
    int bestRank = 0;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::size_t record = *nameTable + 6 + 12 * static_cast<std::size_t>(i);
        const auto platform = reader.U16(record), encoding = reader.U16(record + 2), language = reader.U16(record + 4),
                   id = reader.U16(record + 6), length = reader.U16(record + 8), offset = reader.U16(record + 10);
        if (!offset || *id != nameId)
            continue;
        const std::size_t at = *nameTable + *storage + *offset;
        if (!reader.Has(at, *length))
            continue;
        int rank = 0;
        if (*platform == 3 && (*encoding == 1 || *encoding == 0))
            rank = *language == 0x409 ? 3 : 2;
        else if (*platform == 1 && *encoding == 0)
            rank = 1;
        if (rank <= bestRank)
            continue;
        std::string text;
        if (*platform == 3) {
            for (std::size_t k = 0; k + 1 < *length; k += 2)
                AppendUtf8(text, (static_cast<std::uint32_t>(reader.Byte(at + k)) << 8) | reader.Byte(at + k + 1));
        } else {
            for (std::size_t k = 0; k < *length; ++k)
                AppendUtf8(text, reader.Byte(at + k) < 0x80 ? reader.Byte(at + k) : '?');
        }
        best = text;
        bestRank = rank;
    }
    return best;
}

} // namespace

std::vector<TTrueTypeName> ReadTrueTypeNames(const std::vector<std::uint8_t>& file)
{
    const TReader reader(file);
    std::vector<std::size_t> faces;
    const auto signature = reader.U32(0);
    if (!signature)
        return {};
    if (*signature == Tag('t', 't', 'c', 'f')) {
        const auto count = reader.U32(8);
        for (std::uint32_t i = 0; count && i < *count && i < 64; ++i)
            if (auto offset = reader.U32(12 + 4 * static_cast<std::size_t>(i)))
                faces.push_back(*offset);
    } else if (*signature == 0x00010000 || *signature == Tag('O', 'T', 'T', 'O') || *signature == Tag('t', 'r', 'u', 'e')) {
        faces.push_back(0);
    }
    std::vector<TTrueTypeName> names;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        TTrueTypeName name;
        name.Index = static_cast<int>(i);
        name.Family = FaceName(reader, faces[i], 1);
        name.Style = FaceName(reader, faces[i], 2);
        if (!name.Family.empty())
            names.push_back(name);
    }
    return names;
}
