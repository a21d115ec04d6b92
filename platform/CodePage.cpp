#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace {

// The iconv name of a Windows code page; empty when it has none.
std::string IconvName(std::uint32_t codePage)
{
    if (codePage == CP_ACP)
        codePage = GetACP();
    switch (codePage) {
    case CP_UTF7: return "UTF-7";
    case CP_UTF8: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    default: break;
    }
    if ((codePage >= 1250 && codePage <= 1258) || codePage == 874)
        return "CP" + std::to_string(codePage);
    if (codePage == 437 || codePage == 850 || codePage == 852 || codePage == 866 || codePage == 932
        || codePage == 936 || codePage == 949 || codePage == 950)
        return "CP" + std::to_string(codePage);
    return {};
}

// An iconv descriptor, closed on destruction.
class TIconv {
public:
    TIconv(const std::string& to, const std::string& from) : FHandle(iconv_open(to.c_str(), from.c_str())) {}
    ~TIconv()
    {
        if (Valid())
            iconv_close(FHandle);
    }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const { return FHandle; }

private:
    iconv_t FHandle;
};

// Converts as much as converts; an input unit that cannot be converted is replaced by
// `replacement` (already in the target encoding) and skipped by `skip` bytes.
std::string Convert(const TIconv& cd, const char* in, std::size_t inLeft, const std::string& replacement, std::size_t skip)
{
    std::string out;
    char buffer[4096];
    char* src = const_cast<char*>(in);
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t result = iconv(cd.Handle(), &src, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (result != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (an incomplete sequence at the end): replace one unit and go on.
        out += replacement;
        const std::size_t n = inLeft < skip ? inLeft : skip;
        src += n;
        inLeft -= n;
        iconv(cd.Handle(), nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(cd.Handle(), nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    return out;
}

} // namespace

std::uint32_t AnsiCodePageOfLanguage(std::uint16_t langId)
{
    switch (langId & 0x3FF) {
    case 0x09: // English
    case 0x0A: // Spanish
    case 0x07: // German
    case 0x0C: // French
    case 0x10: // Italian
    case 0x16: // Portuguese
    case 0x13: // Dutch
        return 1252;
    default:
        return 0;
    }
}

std::uint32_t GetACP()
{
    return 1252;
}

std::u16string MultiByteToWide(std::uint32_t codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const std::string name = IconvName(codePage);
    std::u16string result;
    TIconv cd("UTF-16LE", name.empty() ? std::string("CP1252") : name);
    if (!cd.Valid())
        return result;
    const std::string replacement("\xFD\xFF", 2); // U+FFFD in UTF-16LE
    const std::string bytes = Convert(cd, text.data(), text.size(), replacement, 1);
    result.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        result.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return result;
}

std::string WideToMultiByte(std::uint32_t codePage, std::u16string_view text)
{
    if (text.empty())
        return {};
    const std::string name = IconvName(codePage);
    TIconv cd(name.empty() ? std::string("CP1252") : name, "UTF-16LE");
    if (!cd.Valid())
        return {};
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t ch : text) {
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>(ch >> 8));
    }
    return Convert(cd, bytes.data(), bytes.size(), "?", 2);
}
