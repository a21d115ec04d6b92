#pragma once

#include <string>

// Asks the desktop to open an address (a web page, "mailto:" address or file) with
// the user's preferred program, through xdg-open found in PATH. The program runs
// detached in a session of its own: the call returns as soon as it has started and
// never waits for it. Raises EOSError when the address is empty or starts with '-'
// (which the opener would take for an option), or when xdg-open cannot be found or
// started.
void OpenAddress(const std::string& address);
