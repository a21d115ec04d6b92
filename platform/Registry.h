#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The per-user registry: keys holding typed values, kept in
// $XDG_CONFIG_HOME/veltrane/user.reg (default ~/.config) as a registry export text.
// Only the current user's root exists. Key paths use backslashes ("Software\Tessivo\QM_Veltrane").
// Paths always start at the root (a leading backslash is allowed), whatever key is open.
// Key paths and value names ignore ASCII case.
// Writes are kept in the object and saved when the key is closed (also by OpenKey of
// another key and by the destructor); a save rereads the file under the lock and replays
// this object's changes onto it, so concurrent writers keep each other's values.
enum class TRegDataType : std::uint8_t { rdUnknown, rdString, rdInteger, rdBinary };

class TRegistry {
public:
    TRegistry();   // the current user's root; reads nothing yet
    ~TRegistry();  // closes the open key, saving pending writes
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens a key; with canCreate the key and the path above it are created. False when
    // the key is absent (and not created). Raises ERegistryException naming the file when
    // the store exists but cannot be read or parsed.
    bool OpenKey(std::string_view path, bool canCreate);
    bool OpenKeyReadOnly(std::string_view path);
    // Closes the current key; writes made through it are saved atomically under a lock.
    // A failed save raises ERegistryException.
    void CloseKey();
    bool KeyExists(std::string_view path);

    bool ValueExists(std::string_view name) const;
    TRegDataType GetDataType(std::string_view name) const;
    // Reads a REG_DWORD as a signed 32-bit integer; any other type raises
    // ERegistryException "Invalid data type for '<name>'"; a missing value (or no open key)
    // raises ERegistryException "Failed to get data for '<name>'". ReadString and
    // ReadBinaryData behave alike; ReadBinaryData also answers the raw bytes of kinds other
    // than strings and integers. Writes without an open key, through a read-only key or with
    // a name holding a line break raise "Failed to set data for '<name>'".
    std::int32_t ReadInteger(std::string_view name) const;
    void WriteInteger(std::string_view name, std::int32_t value);
    std::string ReadString(std::string_view name) const;
    void WriteString(std::string_view name, std::string_view value);
    std::vector<std::uint8_t> ReadBinaryData(std::string_view name) const;
    void WriteBinaryData(std::string_view name, const std::vector<std::uint8_t>& data);
    bool DeleteValue(std::string_view name);

    // The file behind the store.
    static std::string StorePath();

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
