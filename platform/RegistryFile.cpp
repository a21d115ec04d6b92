#include "platform/RegistryFile.h"

#include "platform/AsciiText.h"
#include "platform/Cp1252.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/Utf.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>

namespace {

constexpr std::string_view Version4Header = "REGEDIT4";
constexpr std::string_view Version5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view VersionPrefix = "Windows Registry Editor Version ";
constexpr std::array<std::string_view, 5> RootNames = {
    "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT", "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s)
{
    return TrimRight(TrimLeft(s));
}

bool ParseHexNumber(std::string_view s, std::size_t maxDigits, std::uint32_t& value)
{
    if (s.size() > maxDigits)
        return false;
    const auto number = ParseNumber<std::uint32_t>(s, 16);
    value = number.value_or(0);
    return number.has_value();
}

// UTF-16LE bytes to UTF-8; false on an odd length or an unpaired surrogate.
bool Utf16LeToUtf8(std::string_view bytes, std::string& out)
{
    if (bytes.size() % 2 != 0)
        return false;
    auto text = Utf16ToUtf8Exact(Utf16FromBytes(bytes, false));
    if (!text)
        return false;
    out = std::move(*text);
    return true;
}

// UTF-8 text to UTF-16LE bytes. A byte that does not start a valid sequence stands for
// the character of the same number, so any text converts.
std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view text)
{
    std::u16string units;
    for (std::size_t i = 0; i < text.size();) {
        const TUtfChar c = DecodeUtf8(text, i);
        AppendUtf16(units, c.Code);  // an invalid sequence's code is its first byte
        i += c.Length;
    }
    std::vector<std::uint8_t> out;
    out.reserve(units.size() * 2);
    for (char16_t unit : units) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return out;
}

// 8-bit text of a REGEDIT4 file in UTF-8: text that is valid UTF-8 stays as it is (written by
// hand in a UTF-8 editor), anything else is ANSI text in code page 1252.
std::string AnsiToUtf8(std::string_view text)
{
    if (Utf8ToUtf16Exact(text))
        return std::string(text);
    return Utf16ToUtf8(Cp1252ToWide(text));
}

// Reads a quoted text starting at s[pos] == '"'; \\ and \" are escapes. On success pos
// stands after the closing quote.
bool ParseQuoted(std::string_view s, std::size_t& pos, std::string& out)
{
    out.clear();
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            pos = i + 1;
            return true;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[i + 1];
            ++i;
        } else {
            out += c;
        }
    }
    return false;
}

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

bool HasControlCharacters(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\t';
    });
}

void AppendHexList(std::string& out, std::string line, const std::vector<std::uint8_t>& bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string piece{Digits[bytes[i] >> 4], Digits[bytes[i] & 0xF]};
        if (i + 1 < bytes.size())
            piece += ',';
        if (line.size() + piece.size() > 78) {
            out += line;
            out += "\\\r\n";
            line = "  ";
        }
        line += piece;
    }
    out += line;
    out += "\r\n";
}

class TParser {
public:
    TParser(const std::string& fileName, TRegistryFile& target) : FFileName(fileName), FTarget(target) {}

    void Run(std::string_view bytes)
    {
        std::string text = Decode(bytes);
        SplitLines(text);
        if (std::all_of(text.begin(), text.end(), [](char c) { return IsBlank(c) || c == '\n'; }))
            Fail(0, "the file is empty");
        CheckHeader();
        for (FLine = 1; FLine < FLines.size(); ++FLine) {
            const std::string_view line = TrimLeft(FLines[FLine]);
            if (Trim(line).empty() || line.front() == ';')
                continue;
            if (line.front() == '[')
                ParseSection(line);
            else if (line.front() == '"' || line.front() == '@')
                ParseValue(line);
            else
                Fail(FLine + 1, "unexpected text");
        }
    }

private:
    const std::string& FFileName;
    TRegistryFile& FTarget;
    std::vector<std::string> FLines;
    std::size_t FLine = 0;
    bool FVersion4 = false;
    std::string FKey;        // the section values go to; empty before the first one
    bool FSkipping = false;  // inside a deleted key's section

    [[noreturn]] void Fail(std::size_t lineNumber, const std::string& reason) const
    {
        std::string message = "Cannot read the registry file \"" + FFileName + "\": ";
        if (lineNumber > 0)
            message += "line " + std::to_string(lineNumber) + ": ";
        throw ERegistryException(message + reason);
    }

    std::string Decode(std::string_view bytes) const
    {
        std::string text;
        if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
            if (!Utf16LeToUtf8(bytes.substr(2), text))
                Fail(0, "the UTF-16 text is truncated or damaged");
        } else if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
            Fail(0, "big-endian UTF-16 text is not supported");
        } else {
            if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
                bytes.remove_prefix(3);
                text.assign(bytes);
            } else if (StartsWithText(bytes, Version4Header)) {
                // REGEDIT4 files are ANSI text; one written in UTF-8 by hand is taken as it is.
                text = AnsiToUtf8(bytes);
            } else {
                text.assign(bytes);
            }
        }
        if (text.find('\0') != std::string::npos)
            Fail(0, "the file holds binary data");
        return text;
    }

    void SplitLines(std::string_view text)
    {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            FLines.emplace_back(line);
            start = end + 1;
        }
    }

    void CheckHeader()
    {
        // A CR inside the first line means CR-only line ends: the "line" is the whole file,
        // and only its first real line may show in a message.
        std::string_view first = FLines[0];
        const std::size_t cr = first.find('\r');
        const bool crOnly = cr != std::string_view::npos && !Trim(first.substr(cr)).empty();
        if (crOnly)
            first = first.substr(0, cr);
        const std::string_view header = Trim(first);
        const bool known = SameText(header, Version4Header) || SameText(header, Version5Header);
        if (known && crOnly) {
            Fail(1, "the lines end in CR alone (only CR LF and LF line ends are read)");
        } else if (known) {
            FVersion4 = SameText(header, Version4Header);
        } else if (StartsWithText(header, VersionPrefix)) {
            constexpr std::size_t MaxQuote = 40;
            std::string version(header.substr(VersionPrefix.size(), MaxQuote));
            if (header.size() > VersionPrefix.size() + MaxQuote)
                version += "...";
            Fail(1, "unsupported version \"" + version + "\"");
        } else {
            Fail(1, "not a registry export (the first line is neither \"REGEDIT4\" nor \"Windows Registry Editor Version 5.00\")");
        }
    }

    void ParseSection(std::string_view line)
    {
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos)
            Fail(FLine + 1, "a key name without its closing ']'");
        if (!Trim(line.substr(close + 1)).empty())
            Fail(FLine + 1, "unexpected text after a key name");
        std::string_view inner = line.substr(1, close - 1);
        const bool removal = !inner.empty() && inner.front() == '-';
        if (removal)
            inner.remove_prefix(1);
        const std::string path = TRegistryFile::NormalizePath(inner);
        if (path.empty())
            Fail(FLine + 1, "an empty key name");
        const std::string root = path.substr(0, path.find('\\'));
        if (std::find(RootNames.begin(), RootNames.end(), root) == RootNames.end())
            Fail(FLine + 1, "unknown root key \"" + root + "\"");
        if (removal) {
            FTarget.DeleteKey(path);
            FKey.clear();
            FSkipping = true;
        } else {
            FTarget.CreateKey(path);
            FKey = path;
            FSkipping = false;
        }
    }

    void ParseValue(std::string_view line)
    {
        TRegistryFile::TValue value;
        std::size_t pos = 1;
        if (line.front() == '"') {
            pos = 0;
            if (!ParseQuoted(line, pos, value.Name))
                Fail(FLine + 1, "a value name without its closing quote");
        }
        std::string_view rest = TrimLeft(line.substr(pos));
        if (rest.empty() || rest.front() != '=')
            Fail(FLine + 1, "'=' expected after the value name");
        rest = TrimLeft(rest.substr(1));
        const std::size_t valueLine = FLine + 1;

        bool removal = false;
        if (!rest.empty() && rest.front() == '"') {
            std::size_t textPos = 0;
            if (!ParseQuoted(rest, textPos, value.Text))
                Fail(valueLine, "a string without its closing quote");
            if (!Trim(rest.substr(textPos)).empty())
                Fail(valueLine, "unexpected text after a string");
            value.Kind = TRegistryFile::KindString;
        } else if (Trim(rest) == "-") {
            removal = true;
        } else if (StartsWithText(rest, "dword:")) {
            const std::string_view digits = Trim(rest.substr(6));
            if (digits.size() != 8 || !ParseHexNumber(digits, 8, value.Number))
                Fail(valueLine, "a dword value needs exactly 8 hexadecimal digits");
            value.Kind = TRegistryFile::KindDword;
        } else if (StartsWithText(rest, "hex")) {
            ParseHex(rest.substr(3), valueLine, value);
        } else {
            Fail(valueLine, "unknown value type");
        }

        if (FSkipping)
            return;
        if (FKey.empty())
            Fail(valueLine, "a value outside any key");
        TRegistryFile::TKey* key = FTarget.FindKey(FKey);
        if (removal)
            TRegistryFile::DeleteValue(*key, value.Name);
        else
            TRegistryFile::SetValue(*key, std::move(value));
    }

    void ParseHex(std::string_view rest, std::size_t valueLine, TRegistryFile::TValue& value)
    {
        std::uint32_t kind = TRegistryFile::KindBinary;
        if (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos || !ParseHexNumber(rest.substr(1, close - 1), 8, kind))
                Fail(valueLine, "a bad hex(type) value type");
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':')
            Fail(valueLine, "':' expected after hex");
        std::string list(rest.substr(1));
        // A line ending in a backslash continues on the next line.
        for (;;) {
            const std::string_view trimmed = TrimRight(list);
            if (trimmed.empty() || trimmed.back() != '\\')
                break;
            list.resize(trimmed.size() - 1);
            if (FLine + 1 >= FLines.size() || Trim(FLines[FLine + 1]).empty())
                Fail(valueLine, "the continuation line of a hex value is missing");
            ++FLine;
            list += TrimLeft(FLines[FLine]);
        }
        std::vector<std::uint8_t> bytes;
        if (!Trim(list).empty()) {
            std::size_t start = 0;
            for (;;) {
                const std::size_t comma = list.find(',', start);
                const std::string_view token =
                    Trim(std::string_view(list).substr(start, comma == std::string::npos ? std::string::npos : comma - start));
                std::uint32_t byte = 0;
                if (token.size() != 2 || !ParseHexNumber(token, 2, byte))
                    Fail(valueLine, token.empty() ? "a byte is missing in a hex value" : "a bad byte in a hex value");
                bytes.push_back(static_cast<std::uint8_t>(byte));
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
        }
        StoreHex(kind, std::move(bytes), valueLine, value);
    }

    void StoreHex(std::uint32_t kind, std::vector<std::uint8_t> bytes, std::size_t valueLine, TRegistryFile::TValue& value)
    {
        value.Kind = kind;
        if (kind == TRegistryFile::KindDword) {
            if (bytes.size() != 4)
                Fail(valueLine, "a hex(4) dword value that is not 4 bytes long");
            value.Number = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
        } else if (kind == TRegistryFile::KindString) {
            // Version 4 stores 8-bit text, version 5 UTF-16LE; both end with a terminating zero.
            std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            if (FVersion4) {
                if (!raw.empty() && raw.back() == '\0')
                    raw.remove_suffix(1);
                value.Text = AnsiToUtf8(raw);
            } else {
                if (raw.size() >= 2 && raw.substr(raw.size() - 2) == std::string_view("\0\0", 2))
                    raw.remove_suffix(2);
                if (!Utf16LeToUtf8(raw, value.Text))
                    Fail(valueLine, "a hex(1) string that is not UTF-16 text");
            }
        } else {
            value.Bytes = std::move(bytes);
        }
    }
};

}  // namespace

std::string TRegistryFile::NormalizePath(std::string_view path)
{
    std::string out;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty()) {
            if (out.empty()) {
                const auto root = std::find_if(RootNames.begin(), RootNames.end(),
                                               [&](std::string_view name) { return SameText(name, part); });
                out = root != RootNames.end() ? std::string(*root) : std::string(part);
            } else {
                out += '\\';
                out += part;
            }
        }
        start = end + 1;
    }
    return out;
}

TRegistryFile TRegistryFile::Parse(std::string_view bytes, const std::string& fileName)
{
    TRegistryFile result;
    TParser(fileName, result).Run(bytes);
    return result;
}

namespace {
// The name under which a path or a value name is indexed: ASCII letters in upper case.
std::string Folded(std::string_view text)
{
    return UpperCaseAscii(text);
}
}  // namespace

TRegistryFile::TKey* TRegistryFile::FindKey(std::string_view path)
{
    const auto found = FIndex.find(Folded(NormalizePath(path)));
    return found == FIndex.end() ? nullptr : &FKeys[found->second];
}

const TRegistryFile::TKey* TRegistryFile::FindKey(std::string_view path) const
{
    return const_cast<TRegistryFile*>(this)->FindKey(path);
}

namespace {
// True when path names the key at 'above' or one below it.
bool IsAtOrBelow(std::string_view path, std::string_view above)
{
    if (path.size() == above.size())
        return SameText(path, above);
    return path.size() > above.size() && path[above.size()] == '\\' &&
           SameText(path.substr(0, above.size()), above);
}
}  // namespace

bool TRegistryFile::KeyExists(std::string_view path) const
{
    const std::string normal = NormalizePath(path);
    if (std::find(RootNames.begin(), RootNames.end(), normal) != RootNames.end())
        return true;
    return std::any_of(FKeys.begin(), FKeys.end(), [&](const TKey& key) { return IsAtOrBelow(key.Path, normal); });
}

TRegistryFile::TKey& TRegistryFile::CreateKey(std::string_view path)
{
    TKey key;
    key.Path = NormalizePath(path);
    const auto [place, added] = FIndex.try_emplace(Folded(key.Path), FKeys.size());
    if (added)
        FKeys.push_back(std::move(key));
    return FKeys[place->second];
}

void TRegistryFile::DeleteKey(std::string_view path)
{
    const std::string normal = NormalizePath(path);
    if (std::erase_if(FKeys, [&](const TKey& key) { return IsAtOrBelow(key.Path, normal); }) == 0)
        return;
    FIndex.clear();
    for (std::size_t i = 0; i < FKeys.size(); ++i)
        FIndex.emplace(Folded(FKeys[i].Path), i);
}

const TRegistryFile::TValue* TRegistryFile::FindValue(const TKey& key, std::string_view name)
{
    const auto found = key.ValueIndex.find(Folded(name));
    return found == key.ValueIndex.end() ? nullptr : &key.Values[found->second];
}

void TRegistryFile::SetValue(TKey& key, TValue value)
{
    const auto [place, added] = key.ValueIndex.try_emplace(Folded(value.Name), key.Values.size());
    if (added)
        key.Values.push_back(std::move(value));
    else
        key.Values[place->second] = std::move(value);
}

bool TRegistryFile::DeleteValue(TKey& key, std::string_view name)
{
    const auto found = key.ValueIndex.find(Folded(name));
    if (found == key.ValueIndex.end())
        return false;
    const std::size_t place = found->second;
    key.Values.erase(key.Values.begin() + static_cast<std::ptrdiff_t>(place));
    key.ValueIndex.erase(found);
    for (auto& entry : key.ValueIndex)
        if (entry.second > place)
            --entry.second;
    return true;
}

std::string TRegistryFile::Write() const
{
    static constexpr char Digits[] = "0123456789abcdef";
    // Every path above some key: a key without values is written only when no key below it
    // implies it.
    std::unordered_set<std::string> above;
    for (const TKey& key : FKeys) {
        const std::string folded = Folded(key.Path);
        for (std::size_t cut = folded.rfind('\\'); cut != std::string::npos && cut > 0; cut = folded.rfind('\\', cut - 1))
            if (!above.insert(folded.substr(0, cut)).second)
                break;
    }
    std::string out(Version5Header);
    out += "\r\n";
    for (const TKey& key : FKeys) {
        if (key.Values.empty() && above.contains(Folded(key.Path)))
            continue;
        out += "\r\n[" + key.Path + "]\r\n";
        for (const TValue& value : key.Values) {
            const std::string name = value.Name.empty() ? std::string("@") : Quote(value.Name);
            if (value.Kind == KindString && !HasControlCharacters(value.Text)) {
                out += name + "=" + Quote(value.Text) + "\r\n";
            } else if (value.Kind == KindString) {
                std::vector<std::uint8_t> bytes = Utf8ToUtf16Le(value.Text);
                bytes.push_back(0);
                bytes.push_back(0);
                AppendHexList(out, name + "=hex(1):", bytes);
            } else if (value.Kind == KindDword) {
                std::string digits(8, '0');
                for (int i = 0; i < 8; ++i)
                    digits[7 - i] = Digits[(value.Number >> (4 * i)) & 0xF];
                out += name + "=dword:" + digits + "\r\n";
            } else if (value.Kind == KindBinary) {
                AppendHexList(out, name + "=hex:", value.Bytes);
            } else {
                std::string kind;
                for (std::uint32_t k = value.Kind;; k >>= 4) {
                    kind.insert(kind.begin(), Digits[k & 0xF]);
                    if (k < 16)
                        break;
                }
                AppendHexList(out, name + "=hex(" + kind + "):", value.Bytes);
            }
        }
    }
    out += "\r\n";
    return out;
}
