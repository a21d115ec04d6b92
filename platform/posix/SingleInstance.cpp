#include "platform/SingleInstance.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name becomes one file name: path separators and NULs would escape the folder.
std::string FileNameOf(std::string_view name)
{
    std::string result;
    for (char c : name)
        result += (c == '/' || c == '\0') ? '_' : c;
    return result.empty() ? std::string("_") : result;
}

bool IsUsableFolder(const char* path)
{
    struct stat info{};
    return path != nullptr && *path == '/' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string TSingleInstance::LockPath(std::string_view name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (IsUsableFolder(runtime)) {
        std::string folder = runtime;
        if (folder.back() != '/')
            folder += '/';
        return folder + FileNameOf(name) + ".lock";
    }
    // /tmp is shared by every user: keep the user's id in the name.
    return "/tmp/" + FileNameOf(name) + "-" + std::to_string(::getuid()) + ".lock";
}

TSingleInstance::TSingleInstance(std::string_view name)
{
    std::string path = LockPath(name);
    // O_NOFOLLOW: a symbolic link planted in a shared folder must not redirect us.
    FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (FHandle < 0) {
        FState = TInstanceState::isFailed;
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
