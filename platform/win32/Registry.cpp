#include "platform/Registry.h"

#include "platform/Exception.h"
#include "platform/win32/Win32Text.h"

#include <cstring>
#include <optional>

#include <windows.h>

// The settings in the real registry under HKEY_CURRENT_USER. Writes go to the system at
// once; the system itself keeps them.

namespace {

bool ValidText(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// "\Software\\Tessivo\" -> L"Software\Tessivo": empty components dropped.
std::wstring KeyPath(std::string_view path)
{
    std::string joined;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start) {
            if (!joined.empty())
                joined += '\\';
            joined.append(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return WidenUtf8(joined);
}

[[noreturn]] void FailGet(std::string_view name)
{
    throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
}

[[noreturn]] void FailSet(std::string_view name)
{
    throw ERegistryException("Failed to set data for '" + std::string(name) + "'");
}

[[noreturn]] void InvalidType(std::string_view name)
{
    throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
}

struct TRawValue {
    DWORD Type = REG_NONE;
    std::vector<std::uint8_t> Bytes;
};

}  // namespace

struct TRegistry::TImpl {
    HKEY FKey = nullptr;
    bool FReadOnly = false;

    void Close()
    {
        if (FKey != nullptr)
            ::RegCloseKey(FKey);
        FKey = nullptr;
        FReadOnly = false;
    }

    // The value's type and bytes; nothing when there is no open key or no such value.
    std::optional<TRawValue> Query(std::string_view name) const
    {
        if (FKey == nullptr || !ValidText(name))
            return std::nullopt;
        const std::wstring wideName = WidenUtf8(name);
        for (int attempt = 0; attempt < 4; ++attempt) {
            TRawValue value;
            DWORD size = 0;
            LONG result = ::RegQueryValueExW(FKey, wideName.c_str(), nullptr, &value.Type, nullptr, &size);
            if (result != ERROR_SUCCESS)
                return std::nullopt;
            value.Bytes.resize(size);
            result = ::RegQueryValueExW(FKey, wideName.c_str(), nullptr, &value.Type,
                                        value.Bytes.empty() ? nullptr : value.Bytes.data(), &size);
            if (result == ERROR_MORE_DATA)
                continue;  // it grew in between: ask again
            if (result != ERROR_SUCCESS)
                return std::nullopt;
            value.Bytes.resize(size);
            return value;
        }
        return std::nullopt;
    }

    TRawValue Require(std::string_view name) const
    {
        std::optional<TRawValue> value = Query(name);
        if (!value)
            FailGet(name);
        return std::move(*value);
    }

    void Set(std::string_view name, DWORD type, const void* data, std::size_t size)
    {
        if (FKey == nullptr || FReadOnly || !ValidText(name) || size > 0x7FFFFFFF)
            FailSet(name);
        const std::wstring wideName = WidenUtf8(name);
        if (::RegSetValueExW(FKey, wideName.c_str(), 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)) != ERROR_SUCCESS)
            FailSet(name);
    }
};

TRegistry::TRegistry() : FImpl(std::make_unique<TImpl>()) {}

TRegistry::~TRegistry()
{
    FImpl->Close();
}

std::string TRegistry::StorePath()
{
    return "HKEY_CURRENT_USER";
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate)
{
    if (!ValidText(path))
        return false;
    const std::wstring key = KeyPath(path);
    HKEY handle = nullptr;
    LONG result;
    if (canCreate) {
        result = ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &handle, nullptr);
    } else {
        result = ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ | KEY_WRITE, &handle);
    }
    if (result != ERROR_SUCCESS)
        return false;
    FImpl->Close();
    FImpl->FKey = handle;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view path)
{
    if (!ValidText(path))
        return false;
    const std::wstring key = KeyPath(path);
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    FImpl->Close();
    FImpl->FKey = handle;
    FImpl->FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    FImpl->Close();
}

bool TRegistry::KeyExists(std::string_view path)
{
    if (!ValidText(path))
        return false;
    const std::wstring key = KeyPath(path);
    HKEY handle = nullptr;
    const LONG result = ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle);
    if (result == ERROR_SUCCESS)
        ::RegCloseKey(handle);
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

bool TRegistry::ValueExists(std::string_view name) const
{
    return FImpl->Query(name).has_value();
}

TRegDataType TRegistry::GetDataType(std::string_view name) const
{
    const std::optional<TRawValue> value = FImpl->Query(name);
    if (!value)
        return TRegDataType::rdUnknown;
    switch (value->Type) {
    case REG_SZ: return TRegDataType::rdString;
    case REG_DWORD: return TRegDataType::rdInteger;
    case REG_BINARY: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
    }
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const
{
    const TRawValue value = FImpl->Require(name);
    if (value.Type != REG_DWORD || value.Bytes.size() != sizeof(DWORD))
        InvalidType(name);
    DWORD number = 0;
    std::memcpy(&number, value.Bytes.data(), sizeof number);
    return static_cast<std::int32_t>(number);
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value)
{
    const DWORD number = static_cast<DWORD>(value);
    FImpl->Set(name, REG_DWORD, &number, sizeof number);
}

std::string TRegistry::ReadString(std::string_view name) const
{
    const TRawValue value = FImpl->Require(name);
    if (value.Type != REG_SZ)
        InvalidType(name);
    std::wstring text(value.Bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), value.Bytes.data(), text.size() * sizeof(wchar_t));
    // Stored with its terminating zero, sometimes with more than one or none at all.
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return NarrowToUtf8(text);
}

void TRegistry::WriteString(std::string_view name, std::string_view value)
{
    const std::wstring text = WidenUtf8(value);
    FImpl->Set(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::vector<std::uint8_t> TRegistry::ReadBinaryData(std::string_view name) const
{
    TRawValue value = FImpl->Require(name);
    if (value.Type == REG_SZ || value.Type == REG_DWORD)
        InvalidType(name);
    return std::move(value.Bytes);
}

void TRegistry::WriteBinaryData(std::string_view name, const std::vector<std::uint8_t>& data)
{
    FImpl->Set(name, REG_BINARY, data.data(), data.size());
}

bool TRegistry::DeleteValue(std::string_view name)
{
    if (FImpl->FKey == nullptr || FImpl->FReadOnly || !ValidText(name))
        return false;
    const std::wstring wideName = WidenUtf8(name);
    return ::RegDeleteValueW(FImpl->FKey, wideName.c_str()) == ERROR_SUCCESS;
}
