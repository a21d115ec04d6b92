#include <fstream>

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "platform/DynamicLibrary.h"

namespace {

const std::string LibraryPath = VELTRANE_TEST_LIBRARY;

TEST(DynamicLibrary, LoadsByPathAndFindsExportedFunctions)
{
    TDynamicLibrary library(LibraryPath);
    ASSERT_TRUE(library.Loaded()) << library.LoadError();
    EXPECT_TRUE(static_cast<bool>(library));
    EXPECT_TRUE(library.LoadError().empty());
    auto twice = library.Function<int(int)>("VeltraneTestTwice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(twice(-4), -8);
}

TEST(DynamicLibrary, MissingSymbolIsNull)
{
    TDynamicLibrary library(LibraryPath);
    ASSERT_TRUE(library.Loaded());
    EXPECT_EQ(library.Symbol("VerifyScreenSavePwd"), nullptr);
    EXPECT_EQ(library.Symbol(""), nullptr);
    // C linkage only: names are not case-folded.
    EXPECT_EQ(library.Symbol("veltranetesttwice"), nullptr);
}

TEST(DynamicLibrary, MissingFileLeavesItEmptyWithoutThrowing)
{
    TTempFolder folder;
    TDynamicLibrary library(folder.File("PASSWORD.CPL"));
    EXPECT_FALSE(library.Loaded());
    EXPECT_FALSE(library.LoadError().empty());
    EXPECT_EQ(library.Symbol("VeltraneTestTwice"), nullptr);
    EXPECT_EQ(library.Function<int(int)>("VeltraneTestTwice"), nullptr);
}

TEST(DynamicLibrary, FileThatIsNoLibraryLeavesItEmpty)
{
    TTempFolder folder;
    std::string path = folder.File("MPR.DLL");
    std::ofstream(path) << "not a shared object\n";
    TDynamicLibrary library(path);
    EXPECT_FALSE(library.Loaded());
    EXPECT_FALSE(library.LoadError().empty());
}

TEST(DynamicLibrary, UnloadReallyReleasesTheLibrary)
{
    {
        TDynamicLibrary library(LibraryPath);
        auto count = library.Function<int()>("VeltraneTestCount");
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(count(), 1);
        EXPECT_EQ(count(), 2);
        library.Unload();
        EXPECT_FALSE(library.Loaded());
        EXPECT_EQ(library.Symbol("VeltraneTestCount"), nullptr);
    }
    // Loaded afresh, its static data starts over: the first handle was closed.
    TDynamicLibrary again(LibraryPath);
    auto count = again.Function<int()>("VeltraneTestCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 1);
}

TEST(DynamicLibrary, MoveTransfersOwnershipOnce)
{
    TDynamicLibrary first(LibraryPath);
    ASSERT_TRUE(first.Loaded());
    TDynamicLibrary second(std::move(first));
    EXPECT_FALSE(first.Loaded());
    ASSERT_TRUE(second.Loaded());
    EXPECT_EQ(second.Function<int(int)>("VeltraneTestTwice")(5), 10);

    TDynamicLibrary third;
    third = std::move(second);
    EXPECT_FALSE(second.Loaded());
    ASSERT_TRUE(third.Loaded());
    auto count = third.Function<int()>("VeltraneTestCount");
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(count(), 2);
    // Only one handle was ever open: dropping the last owner unloads the library.
    third = TDynamicLibrary();
    TDynamicLibrary again(LibraryPath);
    EXPECT_EQ(again.Function<int()>("VeltraneTestCount")(), 1);
}

TEST(DynamicLibrary, TwoHandlesKeepTheLibraryUntilBothAreGone)
{
    TDynamicLibrary first(LibraryPath);
    TDynamicLibrary second(LibraryPath);
    EXPECT_EQ(first.Function<int()>("VeltraneTestCount")(), 1);
    first.Unload();
    auto count = second.Function<int()>("VeltraneTestCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 2);
}

} // namespace
