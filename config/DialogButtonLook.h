#pragma once

#include <cstdint>

// The colours the configuration dialog gives its flat buttons before each paint, chosen
// from the button's state: disabled first, then pressed (by mouse or key), then under the
// pointer, otherwise normal. Colours are 0x00BBGGRR.
struct TDialogButtonLook {
    std::uint32_t Border = 0;
    std::uint32_t Fill = 0;
    std::uint32_t Caption = 0;

    friend bool operator==(const TDialogButtonLook&, const TDialogButtonLook&) = default;
};

// The state a flat button reports to its paint handler.
struct TDialogButtonState {
    bool Enabled = true;
    bool Pressed = false;  // MousePressed or KeyPressed
    bool Inside = false;   // MouseInside
};

// "&Ok" and "&Cancel".
TDialogButtonLook DialogButtonLook(const TDialogButtonState& state);
// "&Set the image as Wallpaper".
TDialogButtonLook WallpaperButtonLook(const TDialogButtonState& state);

// Puts look into a button's three colours and answers the paint handler's `continue`:
// true when the fill and the caption colour stayed as they were (the border alone does
// not need a second paint).
bool ApplyDialogButtonLook(const TDialogButtonLook& look, std::uint32_t& border, std::uint32_t& fill,
                           std::uint32_t& caption);
