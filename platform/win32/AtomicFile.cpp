#include "platform/AtomicFile.h"

#include "platform/win32/Win32Text.h"

#include <algorithm>
#include <random>
#include <utility>

#include <windows.h>

namespace {

[[noreturn]] void Fail(TAtomicFileStep step, DWORD error)
{
    throw EAtomicFileError(step, Win32ErrorText(error));
}

// Owns the temporary file until it has been moved into place.
class TTemporaryFile {
public:
    TTemporaryFile(HANDLE handle, std::wstring name) : FHandle(handle), FName(std::move(name)) {}
    ~TTemporaryFile()
    {
        if (FHandle != nullptr)
            ::CloseHandle(FHandle);
        if (!FName.empty())
            ::DeleteFileW(FName.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    HANDLE Handle() const { return FHandle; }
    void Close()
    {
        const HANDLE handle = std::exchange(FHandle, nullptr);
        if (!::CloseHandle(handle))
            Fail(TAtomicFileStep::afWrite, ::GetLastError());
    }
    void MoveTo(const std::wstring& target)
    {
        if (!::MoveFileExW(FName.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(TAtomicFileStep::afWrite, ::GetLastError());
        FName.clear();
    }

private:
    HANDLE FHandle;
    std::wstring FName;
};

// Creates a new file named prefix + random letters; never opens one that exists.
TTemporaryFile CreateUnique(const std::wstring& prefix)
{
    static constexpr wchar_t Letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof Letters / sizeof Letters[0]) - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = prefix;
        for (int i = 0; i < 12; ++i)
            name += Letters[pick(source)];
        const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return TTemporaryFile(handle, std::move(name));
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            Fail(TAtomicFileStep::afCreate, error);
    }
    Fail(TAtomicFileStep::afCreate, ERROR_FILE_EXISTS);
}

} // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes, const TAtomicFileOptions&)
{
    const std::wstring target = WidenUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        Fail(TAtomicFileStep::afCreate, ERROR_ACCESS_DENIED);

    TTemporaryFile temporary = CreateUnique(target + L".tmp-");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(temporary.Handle(), bytes.data() + done, chunk, &written, nullptr))
            Fail(TAtomicFileStep::afWrite, ::GetLastError());
        done += written;
    }
    if (!::FlushFileBuffers(temporary.Handle()))
        Fail(TAtomicFileStep::afWrite, ::GetLastError());
    temporary.Close();
    temporary.MoveTo(target);
}
