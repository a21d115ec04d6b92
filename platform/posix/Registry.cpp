#include "platform/Registry.h"

#include "platform/AtomicFile.h"
#include "platform/Exception.h"
#include "platform/FileLock.h"
#include "platform/RegistryFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view RootKey = "HKEY_CURRENT_USER";
constexpr std::size_t MaxStoreSize = 64u << 20;

// Owns a file descriptor.
class TDescriptor {
public:
    explicit TDescriptor(int handle) : FHandle(handle) {}
    ~TDescriptor()
    {
        if (FHandle >= 0)
            ::close(FHandle);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FHandle; }

private:
    int FHandle;
};

std::string ErrorText(int error)
{
    return std::strerror(error);
}

[[noreturn]] void FailRead(const std::string& file, const std::string& reason)
{
    throw ERegistryException("Cannot read the registry file \"" + file + "\": " + reason);
}

[[noreturn]] void FailSave(const std::string& file, const std::string& reason)
{
    throw ERegistryException("Cannot save the registry file \"" + file + "\": " + reason);
}

// The bytes of the store; nothing when it does not exist yet.
std::optional<std::string> ReadStoreBytes(const std::string& file)
{
    // Without O_NONBLOCK a FIFO in the store's place would wait for a writer for ever; what
    // was opened is checked before a byte is read. A link is followed: the user may keep
    // the store as a link to a file of their own.
    TDescriptor handle(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (handle.Get() < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        FailRead(file, ErrorText(errno));
    }
    struct stat info {};
    if (::fstat(handle.Get(), &info) != 0)
        FailRead(file, ErrorText(errno));
    if (!S_ISREG(info.st_mode))
        FailRead(file, "not a regular file");
    const int flags = ::fcntl(handle.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(handle.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        FailRead(file, ErrorText(errno));
    if (static_cast<std::size_t>(info.st_size) > MaxStoreSize)
        FailRead(file, "the file is too large");
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(handle.Get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            FailRead(file, ErrorText(errno));
        }
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(count));
        if (bytes.size() > MaxStoreSize)
            FailRead(file, "the file is too large");
    }
    return bytes;
}

TRegistryFile LoadStore(const std::string& file)
{
    const std::optional<std::string> bytes = ReadStoreBytes(file);
    return bytes ? TRegistryFile::Parse(*bytes, file) : TRegistryFile{};
}

// Replaces the store with bytes: a temporary file beside it, flushed, then renamed over it.
// A store that is a symbolic link (a user's dotfile) keeps the link: the file it names is
// replaced, and the temporary file lives beside that one.
void ReplaceStore(const std::string& file, const std::string& bytes)
{
    TAtomicFileOptions options;
    options.FollowLink = true;
    try {
        WriteFileAtomically(file, bytes, options);
    } catch (const EAtomicFileError& error) {
        FailSave(file, error.Message());
    }
}

bool ValidText(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

TRegDataType DataTypeOf(const TRegistryFile::TValue& value)
{
    switch (value.Kind) {
    case TRegistryFile::KindString: return TRegDataType::rdString;
    case TRegistryFile::KindDword: return TRegDataType::rdInteger;
    case TRegistryFile::KindBinary: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
    }
}

}  // namespace

struct TRegistry::TImpl {
    enum class TOpKind { okCreateKey, okSetValue, okDeleteValue };
    // One change made through the object, replayed onto the file's latest contents when saving.
    struct TOp {
        TOpKind Kind;
        std::string Key;
        TRegistryFile::TValue Value;
    };

    std::string FFile;
    TRegistryFile FStore;
    std::optional<std::string> FCurrentKey;
    bool FReadOnly = false;
    std::vector<TOp> FJournal;

    static void Apply(TRegistryFile& store, const TOp& op)
    {
        switch (op.Kind) {
        case TOpKind::okCreateKey:
            store.CreateKey(op.Key);
            break;
        case TOpKind::okSetValue:
            TRegistryFile::SetValue(store.CreateKey(op.Key), op.Value);
            break;
        case TOpKind::okDeleteValue:
            if (TRegistryFile::TKey* key = store.FindKey(op.Key))
                TRegistryFile::DeleteValue(*key, op.Value.Name);
            break;
        }
    }

    void Record(TOp op)
    {
        Apply(FStore, op);
        FJournal.push_back(std::move(op));
    }

    // Rereads the file so that other writers' changes show, keeping this object's own.
    void Refresh()
    {
        FStore = LoadStore(FFile);
        for (const TOp& op : FJournal)
            Apply(FStore, op);
    }

    static std::string Resolve(std::string_view path)
    {
        return TRegistryFile::NormalizePath(std::string(RootKey) + "\\" + std::string(path));
    }

    const TRegistryFile::TValue* Find(std::string_view name) const
    {
        if (!FCurrentKey)
            return nullptr;
        const TRegistryFile::TKey* key = FStore.FindKey(*FCurrentKey);
        return key ? TRegistryFile::FindValue(*key, name) : nullptr;
    }

    const TRegistryFile::TValue& Require(std::string_view name) const
    {
        const TRegistryFile::TValue* value = Find(name);
        if (!value)
            throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
        return *value;
    }

    [[noreturn]] static void InvalidType(std::string_view name)
    {
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    }

    void Write(TRegistryFile::TValue value)
    {
        if (!FCurrentKey || FReadOnly || !ValidText(value.Name))
            throw ERegistryException("Failed to set data for '" + value.Name + "'");
        Record(TOp{TOpKind::okSetValue, *FCurrentKey, std::move(value)});
    }

    void Save(const std::vector<TOp>& journal) const
    {
        try {
            const std::filesystem::path folder = std::filesystem::path(FFile).parent_path();
            std::filesystem::create_directories(folder);
            const TFileLock lock(FFile + ".lock");
            // Read-modify-write under the lock: changes saved by others since this object
            // read the file are kept. A file that no longer parses is left as it is.
            TRegistryFile latest = LoadStore(FFile);
            for (const TOp& op : journal)
                Apply(latest, op);
            ReplaceStore(FFile, latest.Write());
        } catch (const ERegistryException&) {
            throw;
        } catch (const std::exception& error) {
            FailSave(FFile, error.what());
        }
    }
};

TRegistry::TRegistry() : FImpl(std::make_unique<TImpl>())
{
    FImpl->FFile = StorePath();
}

TRegistry::~TRegistry()
{
    try {
        CloseKey();
    } catch (const std::exception& error) {
        // A destructor cannot raise; the lost save must at least not pass unnoticed.
        std::fprintf(stderr, "%s\n", error.what());
    }
}

std::string TRegistry::StorePath()
{
    std::string base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (home && home[0] != '\0') {
            base = home;
        } else {
            const passwd* entry = ::getpwuid(::getuid());
            if (!entry || !entry->pw_dir || entry->pw_dir[0] == '\0')
                throw ERegistryException("Cannot find the home folder for the registry file");
            base = entry->pw_dir;
        }
        base += "/.config";
    }
    return base + "/veltrane/user.reg";
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate)
{
    const std::string target = FImpl->Resolve(path);
    if (!ValidText(target))
        return false;
    FImpl->Refresh();
    const bool exists = FImpl->FStore.KeyExists(target);
    if (!exists && !canCreate)
        return false;
    CloseKey();
    if (!exists)
        FImpl->Record(TImpl::TOp{TImpl::TOpKind::okCreateKey, target, {}});
    FImpl->FCurrentKey = target;
    FImpl->FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view path)
{
    const std::string target = FImpl->Resolve(path);
    if (!ValidText(target))
        return false;
    FImpl->Refresh();
    if (!FImpl->FStore.KeyExists(target))
        return false;
    CloseKey();
    FImpl->FCurrentKey = target;
    FImpl->FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    FImpl->FCurrentKey.reset();
    FImpl->FReadOnly = false;
    if (FImpl->FJournal.empty())
        return;
    const std::vector<TImpl::TOp> journal = std::move(FImpl->FJournal);
    FImpl->FJournal.clear();
    FImpl->Save(journal);
}

bool TRegistry::KeyExists(std::string_view path)
{
    const std::string target = FImpl->Resolve(path);
    if (!ValidText(target))
        return false;
    FImpl->Refresh();
    return FImpl->FStore.KeyExists(target);
}

bool TRegistry::ValueExists(std::string_view name) const
{
    return FImpl->Find(name) != nullptr;
}

TRegDataType TRegistry::GetDataType(std::string_view name) const
{
    const TRegistryFile::TValue* value = FImpl->Find(name);
    return value ? DataTypeOf(*value) : TRegDataType::rdUnknown;
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const
{
    const TRegistryFile::TValue& value = FImpl->Require(name);
    if (value.Kind != TRegistryFile::KindDword)
        TImpl::InvalidType(name);
    return static_cast<std::int32_t>(value.Number);
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value)
{
    TRegistryFile::TValue item;
    item.Name = name;
    item.Kind = TRegistryFile::KindDword;
    item.Number = static_cast<std::uint32_t>(value);
    FImpl->Write(std::move(item));
}

std::string TRegistry::ReadString(std::string_view name) const
{
    const TRegistryFile::TValue& value = FImpl->Require(name);
    if (value.Kind != TRegistryFile::KindString)
        TImpl::InvalidType(name);
    return value.Text;
}

void TRegistry::WriteString(std::string_view name, std::string_view value)
{
    TRegistryFile::TValue item;
    item.Name = name;
    item.Kind = TRegistryFile::KindString;
    item.Text = value;
    FImpl->Write(std::move(item));
}

std::vector<std::uint8_t> TRegistry::ReadBinaryData(std::string_view name) const
{
    const TRegistryFile::TValue& value = FImpl->Require(name);
    if (value.Kind == TRegistryFile::KindString || value.Kind == TRegistryFile::KindDword)
        TImpl::InvalidType(name);
    return value.Bytes;
}

void TRegistry::WriteBinaryData(std::string_view name, const std::vector<std::uint8_t>& data)
{
    TRegistryFile::TValue item;
    item.Name = name;
    item.Kind = TRegistryFile::KindBinary;
    item.Bytes = data;
    FImpl->Write(std::move(item));
}

bool TRegistry::DeleteValue(std::string_view name)
{
    if (!FImpl->FCurrentKey || FImpl->FReadOnly || FImpl->Find(name) == nullptr)
        return false;
    TRegistryFile::TValue item;
    item.Name = name;
    FImpl->Record(TImpl::TOp{TImpl::TOpKind::okDeleteValue, *FImpl->FCurrentKey, std::move(item)});
    return true;
}
