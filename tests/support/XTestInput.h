#pragma once

#include <string>

#include "XConnection.h"

class TX11ErrorTrap;

// Test helper: real input through the XTEST extension, on a connection of its own.
// Every call waits until the server has processed it, and throws std::runtime_error
// when the server refused it or is gone.
class TXTestInput {
public:
    // Throws std::runtime_error when the display or XTEST is missing.
    explicit TXTestInput(const std::string& displayName);
    TXTestInput(const TXTestInput&) = delete;
    TXTestInput& operator=(const TXTestInput&) = delete;

    // Moves the pointer to absolute screen coordinates.
    void MoveTo(int x, int y);
    // Button 1 left, 2 middle, 3 right.
    void Button(unsigned button, bool down);
    void Click(unsigned button = 1);
    // Presses or releases the key that types keySym (an X keysym such as 0x61 for 'a').
    void Key(unsigned long keySym, bool down);
    // Press and release.
    void Tap(unsigned long keySym);

private:
    TXConnection FConnection;

    // Waits for the request the trap watches and throws when it failed.
    void Finish(TX11ErrorTrap& trap, const char* what);
};
