#include "config/DialogButtonLook.h"

namespace {

constexpr TDialogButtonLook DisabledLook{0xBAC7C9, 0xE1E9EA, 0x808080};
constexpr std::uint32_t PressedBorder = 0x6B2408;
constexpr std::uint32_t NormalBorder = 0xC6A69C;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t White = 0xFFFFFF;

} // namespace

TDialogButtonLook DialogButtonLook(const TDialogButtonState& state)
{
    if (!state.Enabled)
        return DisabledLook;
    if (state.Pressed)
        return {PressedBorder, 0xE7D3CE, White};
    if (state.Inside)
        return {PressedBorder, 0xE7D3CE, Black};
    return {NormalBorder, 0x794000, White};
}

TDialogButtonLook WallpaperButtonLook(const TDialogButtonState& state)
{
    if (!state.Enabled)
        return DisabledLook;
    if (state.Pressed)
        return {PressedBorder, 0xD57000, Black};
    if (state.Inside)
        return {PressedBorder, 0xCEBAB5, Black};
    return {NormalBorder, 0xE7D3CE, Black};
}

bool ApplyDialogButtonLook(const TDialogButtonLook& look, std::uint32_t& border, std::uint32_t& fill,
                           std::uint32_t& caption)
{
    const bool unchanged = fill == look.Fill && caption == look.Caption;
    border = look.Border;
    fill = look.Fill;
    caption = look.Caption;
    return unchanged;
}
