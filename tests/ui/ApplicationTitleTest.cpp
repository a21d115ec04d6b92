#include "ui/Application.h"

#include "platform/memory/MemoryDisplay.h"

#include <gtest/gtest.h>

// Error boxes are titled with the application's title; before the program names one it is the
// executable's own name, never empty.
TEST(ApplicationTitle, StartsAsTheExecutablesNameUntilTheProgramSetsOne) {
    TMemoryDisplay display(64, 64);
    TApplication app(display);
    EXPECT_EQ(app.Title(), "test_ui");
    app.SetTitle("Veltrane");
    EXPECT_EQ(app.Title(), "Veltrane");
}
