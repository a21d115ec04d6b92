// veltrane-snapshot <veltrane> <folder>: on the display of $DISPLAY (./run's private Xvfb
// when there is no screen), pictures of the saver through one poster change and of the
// dialog's three pages, written as PNG files into folder; prints their paths.

#include <cstdio>
#include <exception>

#include "SnapshotRun.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: %s <veltrane executable> <output folder>\n", argv[0]);
        return 2;
    }
    try {
        for (const std::string& file : TSnapshotRun(argv[1], argv[2]).Run())
            std::printf("%s\n", file.c_str());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "veltrane-snapshot: %s\n", error.what());
        return 1;
    }
}
