#pragma once

#include "platform/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>

// The step at which replacing a file failed.
enum class TAtomicFileStep : std::uint8_t {
    afCreate,  // no temporary file could be made beside the target (or the target is no regular file)
    afWrite    // writing, flushing or renaming it failed; the temporary file is gone again
};

// Raised by WriteFileAtomically; the message is the system's reason alone, so that callers
// put it into their own texts.
class EAtomicFileError : public EOSError {
public:
    EAtomicFileError(TAtomicFileStep step, const std::string& reason) : EOSError(reason), FStep(step) {}
    const char* ClassName() const override { return "EAtomicFileError"; }
    TAtomicFileStep Step() const { return FStep; }

private:
    TAtomicFileStep FStep;
};

struct TAtomicFileOptions {
    // A symbolic link at the path: false replaces the link itself (a link planted by someone
    // else never redirects the write); true replaces the file it names (a user's own link).
    bool FollowLink = false;
    // The mode of a new file; a regular file of this user that is replaced keeps its own.
    unsigned Mode = 0600;
};

// Gives path the content bytes, or leaves whatever was there untouched: the bytes go to a
// new temporary file of a unique name in the target's folder (created exclusively, never
// through a link), are flushed to the disk, and the file is renamed over the target. On any
// failure only that temporary file is removed. A target that exists and is neither a regular
// file nor a link (a FIFO, a device, a folder) is refused without being opened.
void WriteFileAtomically(const std::string& path, std::string_view bytes, const TAtomicFileOptions& options = {});
