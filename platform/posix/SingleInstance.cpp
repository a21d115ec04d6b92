#include "platform/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Owns the descriptor of an open folder.
class TFolder {
public:
    TFolder(int handle, std::string path) : FHandle(handle), FPath(std::move(path)) {}
    TFolder(TFolder&& other) noexcept : FHandle(std::exchange(other.FHandle, -1)), FPath(std::move(other.FPath)) {}
    ~TFolder()
    {
        if (FHandle >= 0)
            ::close(FHandle);
    }
    TFolder(const TFolder&) = delete;
    TFolder& operator=(const TFolder&) = delete;
    TFolder& operator=(TFolder&&) = delete;
    int Handle() const { return FHandle; }
    const std::string& Path() const { return FPath; }

private:
    int FHandle;
    std::string FPath;
};

// Text as one file-name component: letters, digits, '.', '-' and '_' stay, every other byte
// becomes %XX, so that different texts never share a name and nothing escapes the folder.
std::string FileNameOf(std::string_view text)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string result;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            c == '-' || c == '_' || (c == '.' && !result.empty()))
            result += c;
        else
            result += {'%', Digits[byte >> 4], Digits[byte & 0xF]};
    }
    return result.empty() ? std::string("_") : result;
}

// The display session this process runs in: $DISPLAY without its screen number, so that
// ":0" and ":0.1" are one session; empty without a display.
std::string DisplaySession()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr)
        return {};
    std::string session = display;
    const std::size_t colon = session.rfind(':');
    if (colon != std::string::npos) {
        const std::size_t dot = session.find('.', colon);
        if (dot != std::string::npos)
            session.resize(dot);
    }
    return session;
}

std::string LockFileName(std::string_view name)
{
    const std::string session = DisplaySession();
    return FileNameOf(name) + (session.empty() ? "" : "-" + FileNameOf(session)) + ".lock";
}

// Opens path when it is a folder (not a link to one) of this user that nobody else may
// write to.
std::optional<TFolder> OpenPrivateFolder(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return std::nullopt;
    const int handle = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (handle < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() ||
        (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        ::close(handle);
        return std::nullopt;
    }
    return std::optional<TFolder>(std::in_place, handle, path);
}

// Makes the folder (mode 0700) when absent, then opens it as above.
std::optional<TFolder> MakePrivateFolder(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return std::nullopt;
    ::mkdir(path.c_str(), 0700);
    return OpenPrivateFolder(path);
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// The first private folder of the runtime folder, one of the user's own in the shared
// temporary folder, and one in the user's cache.
std::optional<TFolder> FindLockFolder()
{
    if (auto runtime = OpenPrivateFolder(Variable("XDG_RUNTIME_DIR")))
        return runtime;
    std::string temporary = Variable("TMPDIR");
    if (temporary.empty())
        temporary = "/tmp";
    if (auto shared = MakePrivateFolder(temporary + "/veltrane-" + std::to_string(::geteuid())))
        return shared;
    std::string cache = Variable("XDG_CACHE_HOME");
    if (cache.empty()) {
        const std::string home = Variable("HOME");
        if (home.empty())
            return std::nullopt;
        cache = home + "/.cache";
        ::mkdir(cache.c_str(), 0700);
    }
    return MakePrivateFolder(cache + "/veltrane");
}

} // namespace

std::string TSingleInstance::LockPath(std::string_view name)
{
    const std::optional<TFolder> folder = FindLockFolder();
    return folder ? folder->Path() + "/" + LockFileName(name) : std::string();
}

TSingleInstance::TSingleInstance(std::string_view name)
{
    const std::optional<TFolder> folder = FindLockFolder();
    if (!folder)
        return;
    // O_NOFOLLOW and O_NONBLOCK: neither a link nor a FIFO under the name is followed or
    // waited on; what was opened must be this user's regular file that nobody else may write.
    FHandle = ::openat(folder->Handle(), LockFileName(name).c_str(),
                       O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (FHandle < 0)
        return;
    struct stat info {};
    if (::fstat(FHandle, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        ::close(FHandle);
        FHandle = -1;
        return;
    }
    int result;
    do
        result = ::flock(FHandle, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0) {
        FState = TInstanceState::isAcquired;
        return;
    }
    FState = errno == EWOULDBLOCK ? TInstanceState::isAlreadyExists : TInstanceState::isFailed;
    ::close(FHandle);
    FHandle = -1;
}

TSingleInstance::~TSingleInstance()
{
    // Closing the only descriptor of the open file releases the lock. The file stays:
    // removing it would race with a process that has just opened it.
    if (FHandle >= 0)
        ::close(FHandle);
}
