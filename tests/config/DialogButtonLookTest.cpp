#include <gtest/gtest.h>

#include "config/DialogButtonLook.h"

namespace {

TDialogButtonState State(bool enabled, bool pressed, bool inside)
{
    return {enabled, pressed, inside};
}

} // namespace

TEST(DialogButtonLook, OkAndCancelFollowTheirTableInOrderOfPrecedence)
{
    const TDialogButtonLook disabled{0xBAC7C9, 0xE1E9EA, 0x808080};
    EXPECT_EQ(DialogButtonLook(State(false, false, false)), disabled);
    EXPECT_EQ(DialogButtonLook(State(false, true, true)), disabled) << "disabled wins over everything";
    EXPECT_EQ(DialogButtonLook(State(true, true, false)), (TDialogButtonLook{0x6B2408, 0xE7D3CE, 0xFFFFFF}));
    EXPECT_EQ(DialogButtonLook(State(true, true, true)), (TDialogButtonLook{0x6B2408, 0xE7D3CE, 0xFFFFFF}))
        << "pressed wins over the pointer";
    EXPECT_EQ(DialogButtonLook(State(true, false, true)), (TDialogButtonLook{0x6B2408, 0xE7D3CE, 0x000000}));
    EXPECT_EQ(DialogButtonLook(State(true, false, false)), (TDialogButtonLook{0xC6A69C, 0x794000, 0xFFFFFF}));
}

TEST(DialogButtonLook, TheWallpaperButtonHasItsOwnTableWithBlackCaptions)
{
    EXPECT_EQ(WallpaperButtonLook(State(false, false, true)), (TDialogButtonLook{0xBAC7C9, 0xE1E9EA, 0x808080}));
    EXPECT_EQ(WallpaperButtonLook(State(true, true, true)), (TDialogButtonLook{0x6B2408, 0xD57000, 0x000000}));
    EXPECT_EQ(WallpaperButtonLook(State(true, false, true)), (TDialogButtonLook{0x6B2408, 0xCEBAB5, 0x000000}));
    EXPECT_EQ(WallpaperButtonLook(State(true, false, false)), (TDialogButtonLook{0xC6A69C, 0xE7D3CE, 0x000000}));
}

TEST(DialogButtonLook, ASecondPaintIsAskedOnlyWhenFillOrCaptionChanged)
{
    // The stored colours of "&Ok" are replaced at the first paint: a second paint follows.
    std::uint32_t border = 0, fill = 0xD57000, caption = 0x000000;
    const TDialogButtonLook normal = DialogButtonLook(State(true, false, false));
    EXPECT_FALSE(ApplyDialogButtonLook(normal, border, fill, caption));
    EXPECT_EQ(border, 0xC6A69Cu);
    EXPECT_EQ(fill, 0x794000u);
    EXPECT_EQ(caption, 0xFFFFFFu);
    // That second paint finds everything in place and lets the button draw.
    EXPECT_TRUE(ApplyDialogButtonLook(normal, border, fill, caption));
    // A border change alone does not repaint twice.
    border = 0x123456;
    EXPECT_TRUE(ApplyDialogButtonLook(normal, border, fill, caption));
    EXPECT_EQ(border, 0xC6A69Cu);
    // The pointer entering changes the fill and the caption: a second paint again.
    EXPECT_FALSE(ApplyDialogButtonLook(DialogButtonLook(State(true, false, true)), border, fill, caption));
}
