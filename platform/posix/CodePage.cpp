#include "platform/CodePage.h"

#include "platform/Cp1252.h"
#include "platform/Exception.h"
#include "platform/Utf.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <vector>

// Code page 1252 and UTF-8 convert through the platform's own table and codec; every other
// code page goes through iconv, which stays inside this file.
namespace {

constexpr std::uint32_t SystemAnsiCodePage = 1252;
constexpr char16_t ReplacementChar = u'\uFFFD';

// The iconv name of a code page number; empty when the number names no 8-bit code page.
std::string IconvName(std::uint32_t codePage)
{
    switch (codePage) {
    case CP_ACP:
    case 3:  // the calling thread's ANSI code page: the system's here
        return "CP" + std::to_string(SystemAnsiCodePage);
    case 1:  // the OEM code page that goes with 1252
        return "CP437";
    case 2:
    case 10000:
        return "MACINTOSH";
    case CP_UTF7:
        return "UTF-7";
    case CP_UTF8:
        return "UTF-8";
    case 20127:
        return "ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 1200:   // UTF-16 is not 8-bit text
    case 1201:
    case 12000:
    case 12001:
        return {};
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28606)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    return "CP" + std::to_string(codePage);
}

std::uint32_t Resolve(std::uint32_t codePage)
{
    return (codePage == CP_ACP || codePage == 3) ? SystemAnsiCodePage : codePage;
}

// The single-byte Windows code pages, whose unassigned bytes 0x80..0x9F the platform
// maps to the C1 control characters of the same number (and back), so that 8-bit text
// survives a round trip through UTF-16.
bool IsWindowsSingleByte(std::uint32_t codePage)
{
    return codePage == 874 || (codePage >= 1250 && codePage <= 1258);
}

// One conversion descriptor, closed when it goes out of scope.
class TIconvHandle {
public:
    TIconvHandle(const std::string& to, const std::string& from)
        : FHandle(iconv_open(to.c_str(), from.c_str()))
    {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw EOSError("Code page conversion from " + from + " to " + to + " is not available: " +
                           std::strerror(errno));
    }
    ~TIconvHandle() { iconv_close(FHandle); }
    TIconvHandle(const TIconvHandle&) = delete;
    TIconvHandle& operator=(const TIconvHandle&) = delete;

    // Converts as much of [in, in + inLeft) as it can and appends the output to out.
    // Answers 0 when all input was consumed, otherwise the errno that stopped it
    // (EILSEQ: invalid or unmappable input, EINVAL: incomplete input at the end).
    int Convert(const char*& in, std::size_t& inLeft, std::vector<char>& out)
    {
        for (;;) {
            char buffer[4096];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            char* inPtr = const_cast<char*>(in);
            const std::size_t result = iconv(FHandle, in ? &inPtr : nullptr, in ? &inLeft : nullptr, &outPtr, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            if (in)
                in = inPtr;
            out.insert(out.end(), buffer, outPtr);
            if (error == E2BIG)
                continue;
            return error;
        }
    }

    // Ends a stateful encoding (UTF-7 closes its open base64 run).
    void Flush(std::vector<char>& out)
    {
        const char* none = nullptr;
        std::size_t zero = 0;
        Convert(none, zero, out);
    }

    // Forgets any shift state after a skipped input sequence.
    void Reset() { iconv(FHandle, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t FHandle;
};

std::string CheckedName(std::uint32_t codePage)
{
    const std::string name = IconvName(codePage);
    if (name.empty())
        throw EOSError("Code page " + std::to_string(codePage) + " is not an 8-bit code page");
    return name;
}

void AppendLittleEndian(std::vector<char>& out, char16_t unit)
{
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

std::u16string FromLittleEndian(const std::vector<char>& bytes)
{
    std::u16string result;
    result.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = static_cast<unsigned char>(bytes[i + 1]);
        result.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return result;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether the byte has no character in the code page (decoding it alone fails).
bool IsUnassignedByte(const std::string& name, unsigned char byte)
{
    TIconvHandle probe("UTF-16LE", name);
    const char text[1] = {static_cast<char>(byte)};
    const char* in = text;
    std::size_t left = 1;
    std::vector<char> out;
    return probe.Convert(in, left, out) != 0;
}

} // namespace

std::uint32_t GetACP()
{
    return SystemAnsiCodePage;
}

std::u16string MultiByteToWide(std::uint32_t codePage, std::string_view text)
{
    const std::uint32_t resolved = Resolve(codePage);
    if (resolved == 1252)
        return Cp1252ToWide(text);
    if (resolved == CP_UTF8)
        return Utf8ToUtf16(text);
    const std::string name = CheckedName(resolved);
    TIconvHandle handle("UTF-16LE", name);
    std::vector<char> out;
    out.reserve(text.size() * 2);
    const char* in = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        if (handle.Convert(in, left, out) == 0)
            break;
        // A byte that does not start a valid sequence, or a sequence cut off at the end.
        const auto byte = static_cast<unsigned char>(*in);
        char16_t replacement = ReplacementChar;
        if (IsWindowsSingleByte(resolved) && byte >= 0x80 && byte <= 0x9F)
            replacement = byte;
        AppendLittleEndian(out, replacement);
        ++in;
        --left;
        handle.Reset();
    }
    return FromLittleEndian(out);
}

std::string WideToMultiByte(std::uint32_t codePage, std::u16string_view text)
{
    const std::uint32_t resolved = Resolve(codePage);
    if (resolved == 1252)
        return WideToCp1252(text);
    if (resolved == CP_UTF8)
        return Utf16ToUtf8(text);
    const std::string name = CheckedName(resolved);

    // UTF-16 in little-endian bytes; a surrogate without its partner is no character
    // and becomes '?' in every target, UTF-7 and UTF-8 included.
    std::vector<char> input;
    input.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendLittleEndian(input, unit);
            AppendLittleEndian(input, text[++i]);
            continue;
        }
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit))
            unit = u'?';
        AppendLittleEndian(input, unit);
    }

    TIconvHandle handle(name, "UTF-16LE");
    std::vector<char> out;
    out.reserve(text.size());
    const char* in = input.data();
    std::size_t left = input.size();
    while (left > 0) {
        if (handle.Convert(in, left, out) == 0)
            break;
        // A character without a mapping: one '?' for it, a surrogate pair included.
        const auto lo = static_cast<unsigned char>(in[0]);
        const auto hi = left >= 2 ? static_cast<unsigned char>(in[1]) : 0u;
        const auto unit = static_cast<char16_t>(lo | (hi << 8));
        std::size_t skip = IsHighSurrogate(unit) && left >= 4 ? 4 : 2;
        char replacement = '?';
        if (IsWindowsSingleByte(resolved) && unit >= 0x80 && unit <= 0x9F && IsUnassignedByte(name, static_cast<unsigned char>(unit)))
            replacement = static_cast<char>(unit);
        out.push_back(replacement);
        skip = skip > left ? left : skip;
        in += skip;
        left -= skip;
    }
    handle.Flush(out);
    return std::string(out.begin(), out.end());
}
