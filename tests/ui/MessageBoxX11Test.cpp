#include "ui/Application.h"
#include "ui/MessageBox.h"

#include "support/ScopedEnvironment.h"
#include "support/XTestInput.h"
#include "support/XvfbServer.h"

#include "platform/x11/X11Display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace {

// Whether any screen pixel is pure red (the error icon's disc).
bool ScreenShowsRed(TDisplay& display, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    TPixelBuffer buffer{pixels.data(), width, height, static_cast<std::size_t>(width) * 4, false, 4};
    if (!display.ReadScreen(TWindowRect{0, 0, width, height}, buffer)) return false;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] == 0 && pixels[i + 1] == 0 && pixels[i + 2] == 255) return true;
    return false;
}

// Without an application object (the last-chance handler's case) the box opens the default
// display itself, shows the error icon and ends on Enter.
TEST(MessageBoxX11Test, BoxWithoutApplicationOpensTheDefaultDisplayAndEndsOnEnter) {
    TXvfbServer server(320, 240);
    TScopedEnvironment display("DISPLAY", server.Name());
    ASSERT_EQ(Application(), nullptr);
    auto shown = std::async(std::launch::async, [] {
        ShowMessageBoxWindow("Exception EResNotFound in module veltrane at 0000.\r\nResource IMG12 not found.\r\n",
                             "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    });
    std::unique_ptr<TDisplay> observer = OpenX11Display(server.Name().c_str());
    ASSERT_NE(observer, nullptr);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool red = false;
    while (!(red = ScreenShowsRed(*observer, 320, 240)) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(red) << "no error icon on the screen";
    TXTestInput input(server.Name());
    input.Tap(0xFF0D);  // Return
    const bool ended = shown.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    EXPECT_TRUE(ended) << "the box did not end on Enter";
    if (!ended) server.Kill();  // the box's loop ends with the connection
    shown.get();
    EXPECT_EQ(Application(), nullptr);
}

// The last-chance handler's box without a display returns at once (its text has gone to
// standard error already) and leaves no application behind.
TEST(MessageBoxX11Test, NoDisplayMeansNoBox) {
    TScopedEnvironment display("DISPLAY", std::nullopt);
    EXPECT_NO_THROW(ShowMessageBoxWindow("text", "Application Error", MB_OK | MB_ICONERROR));
    EXPECT_EQ(Application(), nullptr);
}

}  // namespace
