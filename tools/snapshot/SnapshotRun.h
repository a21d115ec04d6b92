#pragma once

#include <string>
#include <vector>

// Pictures of the program at work on a running X server (a private Xvfb): the full-screen
// saver through one poster change (poster 1, the middle of the cross-fade, poster 2) and
// the configuration dialog on each of its three pages, written as PNG files. Each run of
// the program gets fresh settings, runtime and system folders of its own, so nothing of
// the user's is read or changed.
class TSnapshotRun {
public:
    // program: the veltrane executable; folder: where the PNG files go (made when missing).
    TSnapshotRun(std::string program, std::string folder);

    // Takes every picture and answers the files written; std::runtime_error with what
    // went wrong otherwise.
    std::vector<std::string> Run();

private:
    std::string FProgram;
    std::string FFolder;
    std::vector<std::string> FFiles;

    void Saver();
    void Dialog();
    void Write(const class TBitmap& picture, const std::string& name);
};
