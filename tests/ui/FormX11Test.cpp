#include "FormTestSupport.h"

#include "support/XTestInput.h"
#include "support/XvfbServer.h"

#include "platform/x11/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// A form on a real X server: its window appears with the form's pixels and a real click
// reaches the control under the pointer.
TEST(FormX11Test, FormWindowShowsAndReceivesARealClick) {
    TXvfbServer server(320, 240);
    std::unique_ptr<TDisplay> display = OpenX11Display(server.Name().c_str());
    ASSERT_NE(display, nullptr);
    TLog log;
    {
        TApplication app(*display);
        TForm& form = app.CreateForm<TForm>();
        form.SetBorderStyle(bsNone);
        form.SetBounds(40, 30, 200, 150);
        form.SetColor(clBlue);
        auto& target = form.CreateComponent<TLogControl>(&log, "target");
        target.SetParent(&form);
        target.SetBounds(50, 40, 60, 30);
        target.SetColor(clRed);
        form.Show();

        auto runUntil = [&](auto done) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!done() && std::chrono::steady_clock::now() < end) app.HandleMessage(20);
            return done();
        };
        std::vector<std::uint8_t> pixel(4);
        auto screenPixel = [&](int x, int y) {
            TPixelBuffer buffer{pixel.data(), 1, 1, 4, true, 4};
            display->ReadScreen(TWindowRect{x, y, x + 1, y + 1}, buffer);
            return RGB(pixel[2], pixel[1], pixel[0]);
        };
        ASSERT_TRUE(runUntil([&] { return screenPixel(40 + 60, 30 + 50) == clRed; })) << "form never drawn: " << std::hex << screenPixel(40 + 60, 30 + 50) << " " << screenPixel(45, 35);
        EXPECT_EQ(screenPixel(40 + 5, 30 + 5), clBlue);

        TXTestInput input(server.Name());
        input.MoveTo(40 + 60, 30 + 50);
        input.Click(1);
        const bool clicked = runUntil([&] { return std::find(log.begin(), log.end(), "target.click") != log.end(); });
        EXPECT_TRUE(clicked);
        EXPECT_NE(std::find(log.begin(), log.end(), "target.down 0 10,10"), log.end());
    }
}

}  // namespace
