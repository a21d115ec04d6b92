#include <atomic>
#include <future>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/Thread.h"

namespace {

// Counts loop turns until asked to stop; tells the test when it is running.
class TCountingThread : public TThread {
public:
    std::promise<void> Running;
    std::atomic<int> Turns{0};

protected:
    void Execute() override
    {
        Running.set_value();
        while (!Terminated())
            ++Turns;
    }
};

class TOnceThread : public TThread {
public:
    std::atomic<int> Runs{0};
    std::thread::id RanOn;

protected:
    void Execute() override
    {
        RanOn = std::this_thread::get_id();
        ++Runs;
    }
};

class TFailingThread : public TThread {
protected:
    void Execute() override { throw std::runtime_error("worker failed"); }
};

class TSelfWaitingThread : public TThread {
public:
    bool Raised = false;

protected:
    void Execute() override
    {
        try {
            WaitFor();
        } catch (const EThread&) {
            Raised = true;
        }
    }
};

TEST(Thread, RunsExecuteOnAnotherThreadAndJoins)
{
    auto thread = TThread::Create<TOnceThread>(false);
    EXPECT_TRUE(thread->Started());
    thread->WaitFor();
    EXPECT_TRUE(thread->Finished());
    EXPECT_EQ(thread->Runs.load(), 1);
    EXPECT_NE(thread->RanOn, std::this_thread::get_id());
    EXPECT_EQ(thread->FatalException(), nullptr);
    // Waiting again on a joined thread returns at once.
    thread->WaitFor();
}

TEST(Thread, SuspendedThreadRunsOnlyAfterStart)
{
    auto thread = TThread::Create<TOnceThread>(true);
    EXPECT_FALSE(thread->Started());
    thread->WaitFor();  // never started: nothing to wait for
    EXPECT_EQ(thread->Runs.load(), 0);
    EXPECT_FALSE(thread->Finished());
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(thread->Runs.load(), 1);
}

TEST(Thread, StartingTwiceRaises)
{
    auto thread = TThread::Create<TOnceThread>(false);
    EXPECT_THROW(thread->Start(), EThread);
    thread->WaitFor();
    EXPECT_THROW(thread->Start(), EThread);
    EXPECT_EQ(thread->Runs.load(), 1);
}

TEST(Thread, TerminateStopsALoopingWorker)
{
    auto thread = TThread::Create<TCountingThread>(false);
    thread->Running.get_future().wait();
    EXPECT_FALSE(thread->Terminated());
    thread->Terminate();
    EXPECT_TRUE(thread->Terminated());
    thread->WaitFor();
    EXPECT_TRUE(thread->Finished());
}

TEST(Thread, ExceptionFromExecuteIsKeptNotFatal)
{
    auto thread = TThread::Create<TFailingThread>(false);
    thread->WaitFor();
    EXPECT_TRUE(thread->Finished());
    ASSERT_NE(thread->FatalException(), nullptr);
    try {
        std::rethrow_exception(thread->FatalException());
        FAIL() << "no exception kept";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "worker failed");
    }
}

TEST(Thread, WaitingForItselfRaisesInsteadOfDeadlocking)
{
    auto thread = TThread::Create<TSelfWaitingThread>(false);
    thread->WaitFor();
    EXPECT_TRUE(thread->Raised);
}

} // namespace
