#pragma once

struct _XDisplay;

// Quiet handling of X errors and of a lost server connection.
// Xlib reports errors through one process-wide callback without user data, so the
// connections this backend opens are registered here and their last error is recorded
// instead of printed. A lost connection is flagged and Xlib is kept from calling exit().
class TX11ErrorTrap {
public:
    // Before a request: remembers where the requests of interest start.
    explicit TX11ErrorTrap(_XDisplay* display);

    // Waits for the server to process everything sent so far and answers whether any
    // request since construction failed. True also when the connection is lost.
    bool Failed();
    // The X error code of the last failure since construction (0 when none).
    int ErrorCode() const;

    // A connection's life: register right after opening (this also marks its socket
    // close-on-exec), unregister right after closing.
    static void Register(_XDisplay* display);
    static void Unregister(_XDisplay* display);
    static bool IsLost(_XDisplay* display);

private:
    _XDisplay* FDisplay;
    unsigned long FStart;
};
