// The platform tests' program, which also serves as the child that TChildProcess::StartSelf
// starts: with --child-probe it does one small thing and ends.

#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// 10 plus the number of descriptors above standard error, when standard input is the
// null device; 1 otherwise.
int InheritedDescriptors()
{
    struct stat input{}, null{};
    if (::fstat(STDIN_FILENO, &input) != 0 || ::stat("/dev/null", &null) != 0 || input.st_rdev != null.st_rdev)
        return 1;
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder)
        return 1;
    int count = 0;
    while (const dirent* entry = ::readdir(folder))
        if (entry->d_name[0] != '.' && std::stoi(entry->d_name) > STDERR_FILENO && std::stoi(entry->d_name) != ::dirfd(folder))
            ++count;
    ::closedir(folder);
    return 10 + count;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--child-probe") {
        const std::string what = argv[2];
        if (what == "descriptors")
            return InheritedDescriptors();
        for (;;)
            ::pause();  // "hang"
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
