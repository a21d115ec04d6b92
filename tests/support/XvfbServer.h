#pragma once

#include <string>
#include <sys/types.h>

// Test helper: a private Xvfb on a free display number, ready when the constructor
// returns (throws std::runtime_error when it cannot start), stopped by the destructor and
// by the system when the test process dies.
class TXvfbServer {
public:
    // Without randr the server runs with its RANDR extension switched off; depth is the
    // screen's bits a pixel (8 gives a palette screen).
    explicit TXvfbServer(int width = 1024, int height = 768, bool randr = true, int depth = 24);
    ~TXvfbServer();
    TXvfbServer(const TXvfbServer&) = delete;
    TXvfbServer& operator=(const TXvfbServer&) = delete;

    // The display name, for example ":23".
    const std::string& Name() const { return FName; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    pid_t Pid() const { return FPid; }
    // Ends the server at once (a server that goes away under the program).
    void Kill();

private:
    pid_t FPid = -1;
    std::string FName;
    int FWidth;
    int FHeight;
};
