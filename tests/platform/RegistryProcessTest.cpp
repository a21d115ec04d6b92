#include "platform/Exception.h"
#include "platform/Registry.h"

#include "support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const SaverKey = "Software\\Tessivo\\QM_Veltrane";

// Runs body in a child process; answers its pid. The child ends with 0 when body returns
// and 1 when it raises.
template <typename TBody>
pid_t Spawn(TBody body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 0;
        try {
            body();
        } catch (...) {
            code = 1;
        }
        ::_exit(code);
    }
    return pid;
}

int WaitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

std::vector<std::uint8_t> Pattern(int generation, std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + static_cast<std::size_t>(generation) * 17) >> 2);
    return bytes;
}

constexpr std::size_t BlobSize = 384 * 1024;

// Saves a large store over and over, each save with a new generation number.
[[noreturn]] void SaveForever()
{
    for (int generation = 1;; ++generation) {
        TRegistry registry;
        registry.OpenKey(SaverKey, true);
        registry.WriteInteger("Generation", generation);
        registry.WriteBinaryData("Blob", Pattern(generation, BlobSize));
        registry.WriteString("Tail", "end-" + std::to_string(generation));
        registry.CloseKey();
    }
}

// The temporary files in folder; removes them too when asked.
int TemporaryFiles(const std::string& folder, bool remove = false)
{
    int count = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().filename().string().find(".tmp-") != std::string::npos) {
            ++count;
            if (remove)
                std::filesystem::remove(it->path(), error);
        }
    return count;
}

bool TemporaryFileExists(const std::string& folder)
{
    return TemporaryFiles(folder) > 0;
}

// The store holds one whole save: its three values belong to the same generation.
void ExpectOneWholeSave(const TTempConfigHome& home)
{
    if (!std::filesystem::exists(home.StoreFile()))
        return;  // killed before the first save finished: the old (absent) content
    TRegistry registry;
    ASSERT_NO_THROW(registry.OpenKey(SaverKey, false));
    if (!registry.ValueExists("Generation")) {
        // Only the key's creation may have been saved before the values.
        EXPECT_FALSE(registry.ValueExists("Blob"));
        return;
    }
    const int generation = registry.ReadInteger("Generation");
    EXPECT_EQ(registry.ReadString("Tail"), "end-" + std::to_string(generation));
    EXPECT_TRUE(registry.ReadBinaryData("Blob") == Pattern(generation, BlobSize)) << "generation " << generation;
}

}  // namespace

// Without the lock and the reread before each save, one process would overwrite the
// other's values with its own older copy of the file.
TEST(RegistryProcesses, ConcurrentWritersKeepEachOthersValues)
{
    TTempConfigHome home;
    constexpr int Writers = 3;
    constexpr int Saves = 30;
    std::vector<pid_t> children;
    for (int writer = 0; writer < Writers; ++writer) {
        children.push_back(Spawn([writer] {
            for (int save = 0; save < Saves; ++save) {
                TRegistry registry;
                if (!registry.OpenKey(SaverKey, true))
                    throw 1;
                registry.WriteInteger("W" + std::to_string(writer) + "-" + std::to_string(save), save);
                registry.CloseKey();
            }
        }));
    }
    for (pid_t child : children) {
        const int status = WaitFor(child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, false));
    for (int writer = 0; writer < Writers; ++writer)
        for (int save = 0; save < Saves; ++save) {
            const std::string name = "W" + std::to_string(writer) + "-" + std::to_string(save);
            ASSERT_TRUE(registry.ValueExists(name)) << name;
            EXPECT_EQ(registry.ReadInteger(name), save);
        }
}

// A writer killed at any moment, also in the middle of writing its temporary file, leaves
// the store with either the old or the new content, and later saves still work.
TEST(RegistryProcesses, AWriterKilledMidSaveLeavesAWholeStore)
{
    TTempConfigHome home;
    const std::string folder = home.Path() + "/veltrane";
    std::mt19937 random(12345);
    int killedWhileWriting = 0;
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // A save never removes files it did not make: a killed writer's leftover stays.
        TemporaryFiles(folder, true);
        const pid_t child = Spawn(SaveForever);
        ASSERT_GT(child, 0);
        if (round % 2 == 0) {
            // At a random moment.
            ::usleep(std::uniform_int_distribution<int>(0, 40000)(random));
        } else {
            // While a temporary file is being written (polled; gives up after a while).
            for (int poll = 0; poll < 20000 && !TemporaryFileExists(folder); ++poll)
                ::usleep(100);
            ::usleep(std::uniform_int_distribution<int>(0, 2000)(random));
        }
        if (TemporaryFileExists(folder))
            ++killedWhileWriting;
        ::kill(child, SIGKILL);
        const int status = WaitFor(child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with status " << status;
        ExpectOneWholeSave(home);
    }
    ::testing::Test::RecordProperty("KilledWhileWriting", killedWhileWriting);

    // The lock died with the writer; the next save works and leaves no file of its own behind.
    const int left = TemporaryFiles(folder);
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(SaverKey, true));
        registry.WriteInteger("After", 1);
        registry.CloseKey();
    }
    EXPECT_EQ(TemporaryFiles(folder), left);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SaverKey, false));
    EXPECT_EQ(registry.ReadInteger("After"), 1);
    ExpectOneWholeSave(home);
}
