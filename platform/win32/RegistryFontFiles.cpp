// Fonts on Windows: the system's font registry names every installed face and its file,
// and its substitutes table maps the dialog names ("MS Shell Dlg 2") as the system does.

#include "platform/FontFiles.h"

#include "platform/AsciiText.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/win32/TrueTypeNames.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace {

constexpr wchar_t FontsKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr wchar_t SubstitutesKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";
// Families tried in turn when a face is missing.
constexpr const char* FallbackFamilies[] = {"Tahoma", "Microsoft Sans Serif", "Arial", "Segoe UI"};

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && LowerCaseAscii(text.substr(text.size() - tail.size())) == LowerCaseAscii(tail);
}

// UTF-16 to 8-bit text; lossy is set when a character had no byte in the code page.
std::string Narrow(const std::wstring& text, UINT codePage, bool* lossy = nullptr)
{
    if (lossy)
        *lossy = false;
    if (text.empty())
        return {};
    BOOL usedDefault = FALSE;
    BOOL* flag = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, flag);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, flag);
    if (lossy)
        *lossy = usedDefault != FALSE;
    return out;
}

// The string values of a key under HKEY_LOCAL_MACHINE, names and data as UTF-16.
std::vector<std::pair<std::wstring, std::wstring>> ReadStrings(const wchar_t* path)
{
    std::vector<std::pair<std::wstring, std::wstring>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    DWORD count = 0, nameMax = 0, dataMax = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &nameMax, &dataMax, nullptr,
                         nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> name(nameMax + 1);
        std::vector<BYTE> data(dataMax + sizeof(wchar_t));
        for (DWORD i = 0; i < count; ++i) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataLength = dataMax;
            DWORD type = 0;
            if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS ||
                (type != REG_SZ && type != REG_EXPAND_SZ))
                continue;
            // Stored strings need not end in a null character.
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), dataLength / sizeof(wchar_t));
            text.resize(wcsnlen(text.c_str(), text.size()));
            values.emplace_back(std::wstring(name.data(), nameLength), text);
        }
    }
    RegCloseKey(key);
    return values;
}

// The fonts folder of Wine's own data (Tahoma and its relatives live there, unregistered);
// empty when not running under Wine.
std::wstring WineFontFolder()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
        return {};
    wchar_t data[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"WINEDATADIR", data, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring folder(data, length);
    if (folder.rfind(L"\\??\\", 0) == 0)
        folder.erase(0, 4);
    return folder + L"\\fonts\\";
}

// The whole file, or nothing when it cannot be read or is implausibly large for a font.
std::vector<std::uint8_t> ReadFontFile(const std::wstring& path)
{
    constexpr LONGLONG MaxFontFile = 64ll << 20;
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= MaxFontFile) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

struct TRegisteredFace {
    TFontFile File;
    bool Bold = false;
    bool Italic = false;
};

class TRegistryFontFiles : public TFontFiles {
public:
    TRegistryFontFiles()
    {
        wchar_t windows[MAX_PATH] = {};
        const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
        const std::wstring fontsFolder = std::wstring(windows, length < MAX_PATH ? length : 0) + L"\\Fonts\\";
        for (const auto& [name, file] : ReadStrings(FontsKey))
            Register(Narrow(name, CP_UTF8), file, fontsFolder);
        // Wine's own faces serve the families nothing registered.
        const std::wstring wineFolder = WineFontFolder();
        if (!wineFolder.empty())
            ScanFolder(wineFolder);
        for (const auto& [from, to] : ReadStrings(SubstitutesKey)) {
            // "Arial,0" = "Arial,0": the character set after the comma does not matter here.
            std::string source = Narrow(from, CP_UTF8);
            std::string target = Narrow(to, CP_UTF8);
            source = source.substr(0, source.find(','));
            target = target.substr(0, target.find(','));
            if (!source.empty() && !target.empty())
                FSubstitutes.emplace(LowerCaseAscii(source), target);
        }
    }

    std::string Substitute(const std::string& faceName) override
    {
        // No face name means the dialog face. "MS Sans Serif", the forms' default, is a
        // bitmap face on Windows that cannot be scaled: it takes the dialog face too, as the
        // other backends map it to a Tahoma-like face.
        const std::string name =
            faceName.empty() || LowerCaseAscii(faceName) == "ms sans serif" ? "MS Shell Dlg 2" : faceName;
        std::string family = name;
        // A substitute may itself be substituted ("MS Shell Dlg" -> "Microsoft Sans Serif"); a few steps at most.
        for (int step = 0; step < 4; ++step) {
            auto it = FSubstitutes.find(LowerCaseAscii(family));
            if (it == FSubstitutes.end() || LowerCaseAscii(it->second) == LowerCaseAscii(family))
                break;
            family = it->second;
        }
        return family;
    }

    std::optional<TFontFile> Find(const std::string& family, bool bold, bool italic) override
    {
        if (auto face = FindInstalled(family, bold, italic))
            return face;
        // Where a core face is missing (Wine), its metric-compatible twin stands in, as Wine's own text does.
        static const std::pair<const char*, const char*> twins[] = {
            {"arial", "Liberation Sans"},
            {"times new roman", "Liberation Serif"},
            {"courier new", "Liberation Mono"},
        };
        for (const auto& [from, to] : twins)
            if (LowerCaseAscii(family) == from)
                return FindInstalled(to, bold, italic);
        return std::nullopt;
    }

    std::optional<TFontFile> Fallback(bool bold, bool italic) override
    {
        for (const char* family : FallbackFamilies)
            if (auto face = FindInstalled(family, bold, italic))
                return face;
        if (FFaces.empty())
            return std::nullopt;
        return FFaces.begin()->second.File;
    }

private:
    std::optional<TFontFile> FindInstalled(const std::string& family, bool bold, bool italic)
    {
        const auto range = FFaces.equal_range(LowerCaseAscii(family));
        const TRegisteredFace* best = nullptr;
        int bestScore = -1;
        for (auto it = range.first; it != range.second; ++it) {
            const int score = (it->second.Bold == bold ? 2 : 0) + (it->second.Italic == italic ? 1 : 0);
            if (score > bestScore) {
                best = &it->second;
                bestScore = score;
            }
        }
        if (!best)
            return std::nullopt;
        return best->File;
    }

    // One entry of the font registry: "Tahoma Bold (TrueType)" = "tahomabd.ttf"; a
    // collection names its families with " & " between them, in the file's order.
    void Register(std::string name, const std::wstring& file, const std::wstring& fontsFolder)
    {
        bool outline = false;
        for (const char* kind : {" (TrueType)", " (OpenType)"}) {
            if (EndsWith(name, kind)) {
                name.resize(name.size() - std::string(kind).size());
                outline = true;
            }
        }
        if (!outline || file.empty())
            return; // bitmap and vector .fon faces do not scale
        // A bare file name lies in the Fonts folder; a full path stands as it is.
        const bool absolute = file.find(L':') != std::wstring::npos || file.rfind(L"\\\\", 0) == 0;
        const std::wstring path = absolute ? file : fontsFolder + file;
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return;
        // The rasterizer opens files by their name in the ANSI code page.
        bool lossy = false;
        const std::string openable = Narrow(path, CP_ACP, &lossy);
        if (lossy)
            return;
        int index = 0;
        for (std::size_t start = 0; start <= name.size(); ++index) {
            std::size_t end = name.find(" & ", start);
            if (end == std::string::npos)
                end = name.size();
            AddFace(name.substr(start, end - start), openable, index);
            start = end + 3;
        }
    }

    void ScanFolder(const std::wstring& folder)
    {
        std::multimap<std::string, TRegisteredFace> found;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::wstring name = entry.cFileName;
            const std::wstring ext = name.size() > 4 ? name.substr(name.size() - 4) : L"";
            if (_wcsicmp(ext.c_str(), L".ttf") != 0 && _wcsicmp(ext.c_str(), L".ttc") != 0 &&
                _wcsicmp(ext.c_str(), L".otf") != 0)
                continue;
            const std::wstring path = folder + name;
            bool lossy = false;
            const std::string openable = Narrow(path, CP_ACP, &lossy);
            if (lossy)
                continue;
            for (const TTrueTypeName& face : ReadTrueTypeNames(ReadFontFile(path)))
                if (!FFaces.count(LowerCaseAscii(face.Family)))
                    AddFace(face.Family, face.Style, openable, face.Index, &found);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        FFaces.insert(found.begin(), found.end());
    }

    void AddFace(std::string family, const std::string& path, int index)
    {
        std::string style;
        for (const char* suffix : {" Regular", " Bold Italic", " Bold Oblique", " Bold", " Italic", " Oblique"}) {
            if (EndsWith(family, suffix)) {
                style = std::string(suffix + 1);
                family.resize(family.size() - style.size() - 1);
                break;
            }
        }
        AddFace(family, style, path, index, &FFaces);
    }

    static void AddFace(const std::string& family, const std::string& style, const std::string& path, int index,
                        std::multimap<std::string, TRegisteredFace>* faces)
    {
        TRegisteredFace face;
        face.File.Path = path;
        face.File.Index = index;
        face.Bold = style.find("Bold") != std::string::npos;
        face.Italic = style.find("Italic") != std::string::npos || style.find("Oblique") != std::string::npos;
        face.File.Family = family;
        face.File.StyleName = style.empty() ? "Regular" : style;
        if (!family.empty())
            faces->emplace(LowerCaseAscii(family), face);
    }

    std::multimap<std::string, TRegisteredFace> FFaces;
    std::map<std::string, std::string> FSubstitutes;
};

} // namespace

std::unique_ptr<TFontFiles> OpenFontFiles()
{
    return std::make_unique<TRegistryFontFiles>();
}
