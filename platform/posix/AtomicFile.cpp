#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(TAtomicFileStep step, int error)
{
    throw EAtomicFileError(step, std::strerror(error));
}

// The file a link at path names, when the caller follows links; path itself otherwise.
std::string TargetOf(const std::string& path, bool followLink)
{
    struct stat info {};
    if (!followLink || ::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    if (error)
        Fail(TAtomicFileStep::afCreate, error.value());
    return resolved.string();
}

// Creates a new file named prefix + random letters, exclusively and never through a link;
// answers its descriptor and stores its name.
int CreateUnique(const std::string& prefix, std::string& name)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof Letters) - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix;
        for (int i = 0; i < 12; ++i)
            name += Letters[pick(source)];
        const int handle = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (handle >= 0)
            return handle;
        if (errno != EEXIST)
            Fail(TAtomicFileStep::afCreate, errno);
    }
    Fail(TAtomicFileStep::afCreate, EEXIST);
}

void WriteAll(int handle, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            Fail(TAtomicFileStep::afWrite, errno);
        }
        done += static_cast<std::size_t>(count);
    }
}

// Owns the temporary file until it has been renamed into place.
class TTemporaryFile {
public:
    TTemporaryFile(int handle, std::string name) : FHandle(handle), FName(std::move(name)) {}
    ~TTemporaryFile()
    {
        if (FHandle >= 0)
            ::close(FHandle);
        if (!FName.empty())
            ::unlink(FName.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    int Handle() const { return FHandle; }
    // A late write error can show only at the close.
    void Close()
    {
        const int handle = FHandle;
        FHandle = -1;
        if (::close(handle) != 0)
            Fail(TAtomicFileStep::afWrite, errno);
    }
    void RenameTo(const std::string& target)
    {
        if (::rename(FName.c_str(), target.c_str()) != 0)
            Fail(TAtomicFileStep::afWrite, errno);
        FName.clear();
    }

private:
    int FHandle;
    std::string FName;
};

} // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes, const TAtomicFileOptions& options)
{
    const std::string target = TargetOf(path, options.FollowLink);
    unsigned mode = options.Mode;
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            Fail(TAtomicFileStep::afCreate, EISDIR);
        if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
            throw EAtomicFileError(TAtomicFileStep::afCreate, "Not a regular file");
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            mode = info.st_mode & 07777;
    }

    std::string name;
    const int handle = CreateUnique(target + ".tmp-", name);
    TTemporaryFile temporary(handle, name);
    if (::fchmod(temporary.Handle(), mode) != 0)
        Fail(TAtomicFileStep::afWrite, errno);
    WriteAll(temporary.Handle(), bytes);
    if (::fsync(temporary.Handle()) != 0)
        Fail(TAtomicFileStep::afWrite, errno);
    temporary.Close();
    temporary.RenameTo(target);

    // Make the rename itself durable; the content is complete either way.
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const int directory = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
}
