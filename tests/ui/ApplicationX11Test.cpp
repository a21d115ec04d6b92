#include "FormTestSupport.h"

#include "ui/Timer.h"

#include "support/ScopedEnvironment.h"
#include "support/XvfbServer.h"

#include "platform/Display.h"

#include <gtest/gtest.h>

namespace {

// The X server going away while the loop runs ends the loop, quietly.
TEST(ApplicationX11Test, LosingTheServerEndsTheLoopWithoutErrorText) {
    TXvfbServer server(320, 240);
    TScopedEnvironment display("DISPLAY", server.Name());
    testing::internal::CaptureStderr();
    {
        TApplication app;  // the default display: $DISPLAY
        TForm& form = app.CreateForm<TForm>();
        form.SetBounds(10, 10, 100, 80);
        auto& timer = app.CreateComponent<TTimer>();
        timer.SetInterval(50);
        int ticks = 0;
        timer.SetOnTimer([&](TObject*) {
            if (++ticks == 2) server.Kill();
        });
        app.Run();
        EXPECT_TRUE(app.Terminated());
        EXPECT_TRUE(app.Display().ConnectionLost());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(ApplicationX11Test, WithoutAServerTheDefaultApplicationFailsClearly) {
    TScopedEnvironment display("DISPLAY", std::nullopt);
    EXPECT_THROW(TApplication app, EDisplayError);
    EXPECT_EQ(Application(), nullptr);
}

}  // namespace
