#include "platform/FileLock.h"

#include "platform/Exception.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TFileLock::TFileLock(const std::string& path)
{
    FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (FHandle < 0)
        throw EOSError("Cannot open the lock file \"" + path + "\": " + std::strerror(errno));
    while (::flock(FHandle, LOCK_EX) != 0) {
        if (errno == EINTR)
            continue;
        const int error = errno;
        ::close(FHandle);
        throw EOSError("Cannot lock \"" + path + "\": " + std::strerror(error));
    }
}

TFileLock::~TFileLock()
{
    // Closing the last descriptor releases the lock.
    ::close(FHandle);
}
