#include <filesystem>

#include "EngineFixture.h"
#include "engine/QsvImgFree.h"
#include "platform/Exception.h"
#include "platform/SingleInstance.h"

namespace {

class Construction : public EngineTest {};

TEST_F(Construction, SystemFolderGetsATrailingSlash)
{
    T_QsvImgFree engine;
    EXPECT_EQ(engine.SystemDir, FSystem.Path() + "/");
    TScopedEnvironment withSlash("VELTRANE_SYSTEM_DIR", "/opt/veltrane/system/");
    engine.GetSystemDir();
    EXPECT_EQ(engine.SystemDir, "/opt/veltrane/system/");
    TScopedEnvironment root("VELTRANE_SYSTEM_DIR", "/");
    engine.GetSystemDir();
    EXPECT_EQ(engine.SystemDir, "/");
}

TEST_F(Construction, NamesTheElevenPosters)
{
    T_QsvImgFree engine;
    EXPECT_EQ(engine.ImageNames[1], "img01");
    EXPECT_EQ(engine.ImageNames[9], "img09");
    EXPECT_EQ(engine.ImageNames[10], "img10");
    EXPECT_EQ(engine.ImageNames[11], "img11");
    for (int i = 1; i <= T_QsvImgFree::ImageCount; ++i)
        EXPECT_EQ(engine.ImageNames[i].size(), 5u) << i;
}

TEST_F(Construction, PosterIndexOutsideOneToElevenRaises)
{
    T_QsvImgFree engine;
    EXPECT_THROW(engine.ImageNames[0], EListError);
    EXPECT_THROW(engine.ImageNames[12], EListError);
    EXPECT_THROW(engine.ImageNames[-1], EListError);
    const T_QsvImgFree& constant = engine;
    EXPECT_THROW(constant.ImageNames[0], EListError);
    try {
        engine.ImageNames[12];
    } catch (const EListError& error) {
        EXPECT_EQ(error.Message(), "List index out of bounds (12)");
    }
}

TEST_F(Construction, CrossFadeStartsIdle)
{
    T_QsvImgFree engine;
    EXPECT_EQ(engine.CurrentIndex, 0);
    EXPECT_EQ(engine.FadeStep, 5);
    EXPECT_EQ(engine.FadePercent, 5);
    EXPECT_EQ(engine.FadeDelay, 50);
    EXPECT_FALSE(engine.Fading.load());
    EXPECT_EQ(engine.FadeWorker, nullptr);
}

TEST_F(Construction, ThreeEmptyFramesOwnedByTheEngine)
{
    T_QsvImgFree engine;
    ASSERT_NE(engine.CurrentFrame, nullptr);
    ASSERT_NE(engine.NextFrame, nullptr);
    ASSERT_NE(engine.WorkFrame, nullptr);
    EXPECT_TRUE(engine.CurrentFrame->Empty());
    EXPECT_TRUE(engine.NextFrame->Empty());
    EXPECT_TRUE(engine.WorkFrame->Empty());
    EXPECT_NE(engine.CurrentFrame.get(), engine.NextFrame.get());
    EXPECT_NE(engine.NextFrame.get(), engine.WorkFrame.get());
    EXPECT_EQ(engine.FrameRect, TRect{});
    EXPECT_EQ(engine.FrameWidth, 0);
    EXPECT_EQ(engine.FrameHeight, 0);
}

class SingleInstanceGuard : public EngineTest {};

TEST_F(SingleInstanceGuard, SecondSaverMayNotRunWhileTheFirstLives)
{
    auto first = std::make_unique<T_QsvImgFree>();
    EXPECT_TRUE(first->EnsureSingleInstance());
    EXPECT_TRUE(first->EnsureSingleInstance());  // asking again keeps it
    {
        T_QsvImgFree second;
        EXPECT_FALSE(second.EnsureSingleInstance());
    }
    first.reset();
    T_QsvImgFree third;
    EXPECT_TRUE(third.EnsureSingleInstance());
}

TEST_F(SingleInstanceGuard, EnginesThatDoNotAskHoldNothing)
{
    T_QsvImgFree dialog;
    T_QsvImgFree saver;
    EXPECT_TRUE(saver.EnsureSingleInstance());
}

TEST_F(SingleInstanceGuard, RunsUnguardedWhenTheObjectCannotBeMade)
{
#ifdef _WIN32
    GTEST_SKIP() << "the lock file in XDG_RUNTIME_DIR is the POSIX single-instance object";
#else
    std::filesystem::create_directory(TSingleInstance::LockPath("QM_Veltrane"));
    T_QsvImgFree first;
    T_QsvImgFree second;
    EXPECT_TRUE(first.EnsureSingleInstance());
    EXPECT_TRUE(second.EnsureSingleInstance());
#endif
}

} // namespace
