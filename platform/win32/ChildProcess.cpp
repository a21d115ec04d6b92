#include "platform/ChildProcess.h"

#include "platform/win32/Win32Kernel.h"
#include "platform/win32/Win32Text.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include <windows.h>

namespace {

// Owns a kernel handle.
class THandle {
public:
    THandle() = default;
    explicit THandle(HANDLE handle) : FHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~THandle() { Reset(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE Get() const { return FHandle; }
    HANDLE Release() { return std::exchange(FHandle, nullptr); }
    void Reset(HANDLE handle = nullptr)
    {
        if (FHandle != nullptr)
            ::CloseHandle(FHandle);
        FHandle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE FHandle = nullptr;
};

// One argument quoted as CommandLineToArgvW and the C runtime split it again.
void AppendQuoted(std::wstring& line, const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            line.append(backslashes * 2 + 1, L'\\');
        else
            line.append(backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

// The program's full path: as given when it names a folder, else looked up in PATH.
std::wstring FindProgram(const std::wstring& name)
{
    if (name.find_first_of(L"\\/:") != std::wstring::npos)
        return name;
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = ::SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH + 1, buffer, nullptr);
    if (length == 0 || length > MAX_PATH)
        return {};
    return std::wstring(buffer, length);
}

// A pipe whose read end can wait with a deadline (overlapped); the write end is
// inheritable and goes to the child as its standard output.
bool MakePipe(THandle& readEnd, THandle& writeEnd)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring name = L"\\\\.\\pipe\\veltrane-child-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(counter.fetch_add(1)) + L"-" + std::to_wstring(::GetTickCount());
    readEnd.Reset(::CreateNamedPipeW(name.c_str(),
                                         PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                         PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096, 4096, 0,
                                         nullptr));
    if (readEnd.Get() == nullptr)
        return false;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    writeEnd.Reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr));
    return writeEnd.Get() != nullptr;
}

}  // namespace

TChildProcess TChildProcess::StartSelf(const std::vector<std::string>& arguments)
{
    // The program's own file, started as any other program: the job ends it with this
    // process, and it inherits the null device and its output pipe only.
    const std::string self = Win32Kernel::ModulePath();
    if (self.empty())
        return TChildProcess();
    std::vector<std::string> all{self};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return Spawn(all);
}

TChildProcess TChildProcess::Spawn(const std::vector<std::string>& arguments)
{
    TChildProcess child;
    if (arguments.empty() || arguments[0].empty())
        return child;
    const std::wstring program = FindProgram(WidenUtf8(arguments[0]));
    if (program.empty())
        return child;
    std::wstring line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i].find('\0') != std::string::npos)
            return child;
        if (i > 0)
            line += L' ';
        AppendQuoted(line, i == 0 ? program : WidenUtf8(arguments[i]));
    }

    THandle readEnd, writeEnd;
    if (!MakePipe(readEnd, writeEnd))
        return child;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    THandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, 0, nullptr));
    if (nul.Get() == nullptr)
        return child;

    // The child inherits these two handles and no other.
    SIZE_T attributeSize = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeSize);
    std::vector<std::uint8_t> attributeBuffer(attributeSize);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBuffer.data());
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &attributeSize))
        return child;
    HANDLE inherited[2] = {nul.Get(), writeEnd.Get()};
    const bool listed = ::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                                    sizeof inherited, nullptr, nullptr) != FALSE;

    // The job ends the child when this process goes, also when it is killed.
    THandle job(::CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (job.Get() != nullptr)
        ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = nul.Get();
    startup.StartupInfo.hStdOutput = writeEnd.Get();
    startup.StartupInfo.hStdError = nul.Get();
    startup.lpAttributeList = listed ? attributes : nullptr;
    PROCESS_INFORMATION process{};
    const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT |
                        (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
    const BOOL created = ::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                          nullptr, &startup.StartupInfo, &process);
    ::DeleteProcThreadAttributeList(attributes);
    if (!created)
        return child;
    THandle thread(process.hThread);
    if (job.Get() != nullptr && !::AssignProcessToJobObject(job.Get(), process.hProcess))
        job.Reset();  // a job the system refuses (nested jobs on old systems): run without it
    ::ResumeThread(thread.Get());

    child.FPid = static_cast<pid_t>(process.dwProcessId);
    child.FProcess = process.hProcess;
    child.FReadPipe = readEnd.Release();
    child.FJob = job.Release();
    return child;
}

TChildProcess::TChildProcess(TChildProcess&& other) noexcept
    : FPid(std::exchange(other.FPid, -1)),
      FReadFd(std::exchange(other.FReadFd, -1)),
      FProcess(std::exchange(other.FProcess, nullptr)),
      FReadPipe(std::exchange(other.FReadPipe, nullptr)),
      FJob(std::exchange(other.FJob, nullptr)),
      FKilled(std::exchange(other.FKilled, false))
{
}

TChildProcess::~TChildProcess()
{
    if (FProcess != nullptr) {
        Kill();
        Reap();
    }
    if (FReadPipe != nullptr)
        ::CloseHandle(static_cast<HANDLE>(FReadPipe));
    if (FJob != nullptr)
        ::CloseHandle(static_cast<HANDLE>(FJob));
}

TChildReadEnd TChildProcess::Read(std::string& data, TClock::time_point deadline, std::size_t limit)
{
    if (FReadPipe == nullptr)
        return TChildReadEnd::creEnded;
    HANDLE pipe = static_cast<HANDLE>(FReadPipe);
    THandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (event.Get() == nullptr)
        return TChildReadEnd::creEnded;
    while (data.size() < limit) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
        if (left <= 0)
            return TChildReadEnd::creTimedOut;
        char buffer[4096];
        const DWORD wanted = static_cast<DWORD>(std::min(sizeof buffer, limit - data.size()));
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.Get();
        ::ResetEvent(event.Get());
        DWORD got = 0;
        if (!::ReadFile(pipe, buffer, wanted, &got, &overlapped)) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_IO_PENDING)
                return TChildReadEnd::creEnded;  // broken pipe: the child's end is closed
            const DWORD wait = ::WaitForSingleObject(event.Get(), static_cast<DWORD>(std::min<long long>(left, 0x7FFFFFFF)));
            if (wait != WAIT_OBJECT_0) {
                ::CancelIo(pipe);
                ::GetOverlappedResult(pipe, &overlapped, &got, TRUE);
                data.append(buffer, got);
                continue;  // the deadline check above ends the wait
            }
            if (!::GetOverlappedResult(pipe, &overlapped, &got, FALSE))
                return TChildReadEnd::creEnded;
        }
        if (got == 0)
            return TChildReadEnd::creEnded;
        data.append(buffer, got);
    }
    return TChildReadEnd::creFilled;
}

bool TChildProcess::WaitFor(TClock::time_point deadline)
{
    if (FProcess == nullptr)
        return true;
    for (;;) {
        const long long left = std::max<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count(), 0);
        const DWORD wait =
            ::WaitForSingleObject(static_cast<HANDLE>(FProcess), static_cast<DWORD>(std::min<long long>(left, 0x7FFFFFFF)));
        if (wait != WAIT_TIMEOUT)
            return wait == WAIT_OBJECT_0;
        if (left <= 0)
            return false;
    }
}

void TChildProcess::Kill()
{
    if (FProcess != nullptr) {
        FKilled = true;
        ::TerminateProcess(static_cast<HANDLE>(FProcess), 1);
    }
}

int TChildProcess::Reap()
{
    if (FProcess == nullptr)
        return -1;
    HANDLE process = static_cast<HANDLE>(FProcess);
    ::WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    const bool known = ::GetExitCodeProcess(process, &code) != FALSE;
    ::CloseHandle(process);
    FProcess = nullptr;
    FPid = -1;
    // Killed, or ended by an exception (an NTSTATUS error code): not a normal end.
    if (!known || FKilled || code >= 0xC0000000u)
        return -1;
    return static_cast<int>(code);
}
