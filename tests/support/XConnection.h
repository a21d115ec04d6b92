#pragma once

#include <string>

struct _XDisplay;

// Test helper: a connection of the test's own to an X server. Xlib's default handlers end
// the whole process on an X error or a lost server; this connection is registered with the
// platform's error trap instead, so an error is recorded and a lost server is reported by
// Sync() as an exception that fails the test, never by exit().
class TXConnection {
public:
    // An empty name is the display $DISPLAY names. Throws std::runtime_error when the
    // display cannot be opened.
    explicit TXConnection(const std::string& displayName);
    ~TXConnection();
    TXConnection(const TXConnection&) = delete;
    TXConnection& operator=(const TXConnection&) = delete;

    _XDisplay* Get() const { return FDisplay; }
    // Waits until the server has handled every request sent so far; throws
    // std::runtime_error naming what was being done when the server is gone.
    void Sync(const std::string& what);
    bool Lost() const;

private:
    _XDisplay* FDisplay = nullptr;
    std::string FName;
};
