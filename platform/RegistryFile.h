#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The contents of a registry export file: keys by full path ("HKEY_CURRENT_USER\Software\...")
// holding typed values, in the order they were first seen. Reads files headed "REGEDIT4" or
// "Windows Registry Editor Version 5.00" (UTF-8 with or without its mark, or UTF-16LE with its
// mark; CR LF or LF line ends, the last line with or without one) and writes the version 5
// form in UTF-8 with CR LF. REGEDIT4 text that is not valid UTF-8 is read as code page 1252.
// Key paths and value names compare without regard to ASCII case.
class TRegistryFile {
public:
    // Value kinds, numbered as the hex(n) form of the file numbers them.
    static constexpr std::uint32_t KindNone = 0;
    static constexpr std::uint32_t KindString = 1;
    static constexpr std::uint32_t KindBinary = 3;
    static constexpr std::uint32_t KindDword = 4;

    struct TValue {
        std::string Name;                  // "" is the key's default value (@)
        std::uint32_t Kind = KindNone;
        std::string Text;                  // KindString: the text, UTF-8 bytes as stored
        std::uint32_t Number = 0;          // KindDword
        std::vector<std::uint8_t> Bytes;   // every other kind: the raw data
    };

    struct TKey {
        std::string Path;                  // full path, components joined by '\'
        std::vector<TValue> Values;        // changed only through SetValue and DeleteValue
        // Each value's place in Values by its case-folded name, kept by SetValue and DeleteValue.
        std::unordered_map<std::string, std::size_t> ValueIndex;
    };

    // Parses the bytes of a file. Raises ERegistryException naming fileName, with the line,
    // when the bytes are not a registry export (empty, cut inside a line, garbage, unknown
    // version, CR-only line ends); a message quotes at most the first line.
    static TRegistryFile Parse(std::string_view bytes, const std::string& fileName);
    // The version 5 text of the contents.
    std::string Write() const;

    // Canonical form of a path: empty components dropped, the root's name in upper case.
    static std::string NormalizePath(std::string_view path);

    const std::vector<TKey>& Keys() const { return FKeys; }
    TKey* FindKey(std::string_view path);
    const TKey* FindKey(std::string_view path) const;
    // True when the key was recorded or some key below it was (the path above a key exists).
    bool KeyExists(std::string_view path) const;
    // Answers the key, recording it when absent.
    TKey& CreateKey(std::string_view path);
    // Removes the key and every key below it.
    void DeleteKey(std::string_view path);

    static const TValue* FindValue(const TKey& key, std::string_view name);
    static void SetValue(TKey& key, TValue value);
    static bool DeleteValue(TKey& key, std::string_view name);

private:
    std::vector<TKey> FKeys;
    // Each key's place in FKeys by its case-folded path, so that a lookup does not walk the list.
    std::unordered_map<std::string, std::size_t> FIndex;
};
