#pragma once

#include <string>

// Test helper: a fresh temporary folder, removed with everything in it at the end.
class TTempFolder {
public:
    explicit TTempFolder(const std::string& prefix = "veltrane-test");
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder, without a trailing slash.
    const std::string& Path() const { return FPath; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};
