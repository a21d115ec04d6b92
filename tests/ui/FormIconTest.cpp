#include "ui/Application.h"
#include "ui/Form.h"

#include "gfx/Bitmap.h"
#include "platform/memory/MemoryDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A memory display that keeps the icons it is given, top row first, as 0x00BBGGRR.
class TIconDisplay : public TMemoryDisplay {
public:
    TIconDisplay() : TMemoryDisplay(320, 240) {}

    struct TIcon {
        TWindowId Window = 0;
        int Width = 0;
        int Height = 0;
        std::vector<std::uint32_t> Pixels;
    };
    std::vector<TIcon> Icons;

    void SetIcon(TWindowId window, const TPixelView& icon) override {
        TIcon kept{window, icon.Width, icon.Height, {}};
        for (int y = 0; y < icon.Height; ++y) {
            const std::uint8_t* p = icon.Row(y);
            for (int x = 0; x < icon.Width; ++x, p += icon.BytesPerPixel)
                kept.Pixels.push_back(p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16));  // bytes B, G, R
        }
        Icons.push_back(std::move(kept));
    }
};

TBitmap TwoColourIcon(TPixelFormat format) {
    TBitmap icon(4, 2, format);
    icon.Fill(0x0000FF);
    icon.SetPixel(3, 1, 0xFF0000);
    return icon;
}

class FormIconTest : public ::testing::Test {
protected:
    TIconDisplay Display;
    TApplication App{Display};
    TForm& Form = App.CreateForm<TForm>();
};

TEST_F(FormIconTest, AnIconGivenBeforeTheWindowExistsGoesWithItsCreation) {
    Form.SetIcon(TwoColourIcon(TPixelFormat::pf24bit));
    EXPECT_TRUE(Display.Icons.empty()) << "no window yet";
    EXPECT_EQ(Form.Icon().Width(), 4);
    Form.Show();
    App.ProcessMessages();
    ASSERT_EQ(Display.Icons.size(), 1u);
    const auto& icon = Display.Icons[0];
    EXPECT_EQ(icon.Window, Form.Handle());
    EXPECT_EQ(icon.Width, 4);
    EXPECT_EQ(icon.Height, 2);
    ASSERT_EQ(icon.Pixels.size(), 8u);
    EXPECT_EQ(icon.Pixels[0], 0x0000FFu) << "top-left";
    EXPECT_EQ(icon.Pixels[7], 0xFF0000u) << "bottom-right, rows handed over top first";
}

TEST_F(FormIconTest, AnIconGivenToAnExistingWindowIsAppliedAtOnceAndKeptAsACopy) {
    Form.Show();
    App.ProcessMessages();
    {
        TBitmap icon = TwoColourIcon(TPixelFormat::pf32bit);
        Form.SetIcon(icon);
        icon.Fill(0x00FF00);
    }
    ASSERT_EQ(Display.Icons.size(), 1u);
    EXPECT_EQ(Display.Icons[0].Pixels[0], 0x0000FFu);
    EXPECT_EQ(Form.Icon().GetPixel(0, 0) & 0xFFFFFF, 0x0000FFu) << "the form keeps its own copy";
}

TEST_F(FormIconTest, WithoutAnIconTheDisplayIsNotAsked) {
    Form.Show();
    App.ProcessMessages();
    Form.SetIcon(TBitmap{});
    EXPECT_TRUE(Display.Icons.empty());
    EXPECT_TRUE(Form.Icon().Empty());
}

}  // namespace
