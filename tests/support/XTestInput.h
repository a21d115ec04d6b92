#pragma once

#include <memory>
#include <string>

struct _XDisplay;

// Test helper: real input through the XTEST extension, on a connection of its own.
// Every call waits until the server has processed it.
class TXTestInput {
public:
    // Throws std::runtime_error when the display or XTEST is missing.
    explicit TXTestInput(const std::string& displayName);
    ~TXTestInput();
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
    _XDisplay* FDisplay = nullptr;
};
