#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <stdexcept>

#include "rtl/Classes.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/MainThread.h"

namespace {

class TFnThread : public TThread {
public:
    explicit TFnThread(std::function<void(TFnThread&)> body) : TThread(true), FBody(std::move(body)) {}
    // FBody must outlive Execute; the base destructor would wait only after it is gone.
    ~TFnThread() override
    {
        Terminate();
        if (!Suspended() && !Finished()) WaitFor();
    }
    void SetReturn(int v) { ReturnValue = v; }
    using TThread::Queue;
    using TThread::Synchronize;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TFnThread&)> FBody;
};

const TDateTime Start = EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0);

}  // namespace

TEST(VirtualClock, MainThreadSleepJumpsAtOnce)
{
    TVirtualClockGuard g(Start);
    Sleep(3000);
    EXPECT_EQ(g.clock().ElapsedMs(), 3000);
    EXPECT_EQ(GetTickCount(), 3000u);
    EXPECT_EQ(TimeToStr(Now()), "10:00:03");
}

TEST(VirtualClock, SetMovesTheDateButNotTheTicks)
{
    TVirtualClockGuard g(Start);
    Sleep(500);
    g.clock().Set(EncodeDate(2010, 1, 2) + EncodeTime(19, 30, 0, 0));
    EXPECT_EQ(DateTimeToStr(Now()), "02.01.2010 19:30:00");
    EXPECT_EQ(GetTickCount(), 500u);
    Sleep(1000);
    EXPECT_EQ(DateTimeToStr(Now()), "02.01.2010 19:30:01");
}

TEST(VirtualClock, WorkerSleepingThreeSecondsFinishesInVirtualTime)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::uint32_t seen = 0;
    TFnThread t([&](TFnThread&) {
        Sleep(3000);
        seen = GetTickCount();
    });
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(seen, 3000u);
    EXPECT_EQ(g.clock().ElapsedMs(), 3000);
}

TEST(VirtualClock, PollerSeesNoTimePassWhileWorkerComputes)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::atomic<bool> timeMoved{false};
    TFnThread worker([&](TFnThread&) {
        std::uint32_t before = GetTickCount();
        // Compute until the poller is blocked in its sleep, then a while longer.
        while (g.clock().IdleThreads() < 1) {}
        volatile unsigned long sum = 0;
        for (unsigned long i = 0; i < 2000000; ++i) sum = sum + i;
        timeMoved = GetTickCount() != before;
    });
    worker.Resume();
    int polls = 0;
    while (!worker.Finished() && polls < 551) {
        Sleep(100);
        ++polls;
    }
    worker.WaitFor();
    EXPECT_FALSE(timeMoved.load());
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(g.clock().ElapsedMs(), 100);
}

TEST(VirtualClock, SleepersWakeInDeadlineOrder)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::mutex m;
    std::vector<int> order;
    auto sleeper = [&](int ms) {
        return std::make_unique<TFnThread>([&, ms](TFnThread&) {
            Sleep(static_cast<unsigned>(ms));
            std::lock_guard<std::mutex> lock(m);
            order.push_back(ms);
        });
    };
    auto a = sleeper(300), b = sleeper(100), c = sleeper(200);
    a->Resume();
    b->Resume();
    c->Resume();
    a->WaitFor();
    b->WaitFor();
    c->WaitFor();
    EXPECT_EQ(order, (std::vector<int>{100, 200, 300}));
    EXPECT_EQ(g.clock().ElapsedMs(), 300);
}

TEST(VirtualClock, WaitUntilTimesOutInVirtualTime)
{
    TVirtualClockGuard g(Start);
    EXPECT_FALSE(Clock().WaitUntil([] { return false; }, 2500));
    EXPECT_EQ(g.clock().ElapsedMs(), 2500);
    EXPECT_TRUE(Clock().WaitUntil([] { return true; }, 1000));
    EXPECT_EQ(g.clock().ElapsedMs(), 2500);
}

TEST(VirtualClock, WaitUntilReturnsWhenAWorkerMakesThePredicateTrue)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::atomic<bool> flag{false};
    TFnThread t([&](TFnThread&) {
        Sleep(700);
        flag = true;
        Sleep(10000);
    });
    t.Resume();
    EXPECT_TRUE(Clock().WaitUntil([&] { return flag.load(); }, 5000));
    EXPECT_EQ(g.clock().ElapsedMs(), 700);
    t.WaitFor();
    EXPECT_EQ(g.clock().ElapsedMs(), 10700);
}

TEST(Thread, OnTerminateRunsOnTheUserInterfaceThread)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    bool onMain = false;
    TObject* sender = nullptr;
    TFnThread t([](TFnThread& self) { self.SetReturn(42); });
    t.OnTerminate = [&](TObject* s) {
        onMain = IsMainThread();
        sender = s;
    };
    t.Resume();
    EXPECT_EQ(t.WaitFor(), 42);
    EXPECT_TRUE(onMain);
    EXPECT_EQ(sender, &t);
    EXPECT_TRUE(t.Finished());
}

TEST(Thread, HandlerSetAfterWaitForNeverRuns)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    bool ran = false;
    TFnThread t([](TFnThread&) {});
    t.Resume();
    t.WaitFor();
    t.OnTerminate = [&](TObject*) { ran = true; };
    CheckSynchronize();
    EXPECT_FALSE(ran);
}

TEST(Thread, WaitForWithSynchronizeDoesNotDeadlock)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::vector<bool> onMain;
    TFnThread t([&](TFnThread& self) {
        for (int i = 0; i < 3; ++i) {
            self.Synchronize([&] { onMain.push_back(IsMainThread()); });
            Sleep(50);
        }
    });
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(onMain, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(g.clock().ElapsedMs(), 150);
}

TEST(Thread, SynchronizeRethrowsOnTheWorker)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    String caught;
    TFnThread t([&](TFnThread& self) {
        try {
            self.Synchronize([] { throw EConvertError("bad"); });
        } catch (const EConvertError& e) {
            caught = e.Message();
        }
    });
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(caught, "bad");
}

TEST(Thread, ExceptionEscapingExecuteIsReportedAndKept)
{
    SetMainThread();
    TDebugCapture capture;
    TFnThread t([](TFnThread&) { throw std::runtime_error("kaputt"); });
    t.Resume();
    t.WaitFor();
    EXPECT_TRUE(capture.Contains("Exception in thread: kaputt"));
    ASSERT_TRUE(t.FatalException());
    EXPECT_THROW(std::rethrow_exception(t.FatalException()), std::runtime_error);
}

TEST(Thread, MisuseRaisesEThread)
{
    TFnThread never([](TFnThread&) {});
    EXPECT_TRUE(never.Suspended());
    EXPECT_THROW(never.WaitFor(), EThread);
}

TEST(Thread, QueuedCallsRunInOrderAndWakeTheLoop)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::atomic<int> wakes{0};
    auto previous = SetWakeMainThread([&] { ++wakes; });
    std::vector<int> order;
    TFnThread t([&](TFnThread& self) {
        self.Queue([&] { order.push_back(1); });
        self.Queue([&] { order.push_back(2); });
    });
    t.Resume();
    t.WaitFor();
    SetWakeMainThread(previous);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(wakes.load(), 2);
    EXPECT_TRUE(MainThreadQueueEmpty());
}

TEST(Thread, RunsOnASixMegabyteStack)
{
    SetMainThread();
    TFnThread t([](TFnThread& self) {
        // Touch 4 MB of stack, more than a default 8 MB... no: more than the common 2 MB minimum.
        volatile char big[4 * 1024 * 1024];
        big[0] = 1;
        big[sizeof big - 1] = 2;
        self.SetReturn(big[0] + big[sizeof big - 1]);
    });
    t.Resume();
    EXPECT_EQ(t.WaitFor(), 3);
}

TEST(VirtualClock, CreatorPollingARunningFlagSeesEveryStep)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::atomic<bool> running{true};
    TFnThread t([&](TFnThread&) {
        Sleep(3050);
        running = false;
    });
    t.Resume();
    Sleep(1);
    int polls = 0;
    while (running && polls < 551) {
        Sleep(100);
        ++polls;
    }
    t.WaitFor();
    EXPECT_EQ(polls, 31);
    EXPECT_EQ(g.clock().ElapsedMs(), 3101);
}

TEST(VirtualClock, ASleepInsideASynchronizedCallDuringWaitForMovesOn)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::uint32_t inside = 0;
    TFnThread t([&](TFnThread& self) {
        self.Synchronize([&] {
            Sleep(250);
            inside = GetTickCount();
        });
    });
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(inside, 250u);
}

TEST(VirtualClock, TimeMovesWhileAWorkerWaitsForTheSleepingInterface)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::uint32_t ranAt = 0;
    TFnThread t([&](TFnThread& self) { self.Synchronize([&] { ranAt = GetTickCount(); }); });
    t.Resume();
    Sleep(400);  // the interface thread does not drain its queue meanwhile
    EXPECT_EQ(ranAt, 0u);
    t.WaitFor();
    EXPECT_EQ(ranAt, 400u);
}

TEST(VirtualClock, ManualAdvanceWakesDueSleepers)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::atomic<bool> waiting{false};
    std::uint32_t woke = 0;
    TFnThread t([&](TFnThread&) {
        waiting = true;
        Sleep(1000);
        woke = GetTickCount();
    });
    t.Resume();
    // The interface thread stays busy here, so only the manual advance can move time.
    while (g.clock().IdleThreads() < 1) {}
    g.clock().Advance(1500);
    t.WaitFor();
    EXPECT_EQ(woke, 1500u);
}

TEST(RealClock, IsInstalledWhenNoVirtualClockIs)
{
    {
        TVirtualClockGuard g(Start);
        EXPECT_EQ(DateToStr(Date()), "12.08.2009");
    }
    EXPECT_GT(Now().Val, EncodeDate(2020, 1, 1).Val);
    std::uint32_t a = GetTickCount();
    EXPECT_GE(GetTickCount(), a);
    EXPECT_TRUE(Clock().WaitUntil([] { return true; }, 0));
    EXPECT_FALSE(Clock().WaitUntil([] { return false; }, 0));
    auto mine = std::make_shared<TVirtualClock>(Start);
    auto previous = SetClock(mine);
    EXPECT_EQ(Clock().Get(), mine.get());
    SetClock(nullptr);
    EXPECT_EQ(CurrentClock(), previous);
}

namespace {

class TSelfFreeing : public TThread {
public:
    TSelfFreeing(bool& freed) : TThread(true), FFreed(freed) {}
    ~TSelfFreeing() override { FFreed = true; }

protected:
    void Execute() override {}

private:
    bool& FFreed;
};

}  // namespace

TEST(Thread, FreeOnTerminateDeletesOnTheInterfaceThreadAfterTheHandler)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    bool freed = false, handled = false;
    auto* t = new TSelfFreeing(freed);
    t->FreeOnTerminate = true;
    t->OnTerminate = [&](TObject*) { handled = !freed; };
    t->Resume();
    Clock().WaitUntil(
        [&] {
            CheckSynchronize();
            return freed;
        },
        10000);
    EXPECT_TRUE(freed);
    EXPECT_TRUE(handled);
}

TEST(Thread, ADestroyedThreadsQueuedHandlerNeverRuns)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    bool ran = false;
    auto t = std::make_unique<TFnThread>([](TFnThread&) {});
    t->OnTerminate = [&](TObject*) { ran = true; };
    t->Resume();
    Clock().WaitUntil([&] { return t->Finished(); }, -1);  // does not drain the queue
    EXPECT_FALSE(MainThreadQueueEmpty());
    t.reset();
    CheckSynchronize();
    EXPECT_FALSE(ran);
    EXPECT_TRUE(MainThreadQueueEmpty());
}

TEST(Thread, DestructorRequestsTerminationAndWaits)
{
    SetMainThread();
    TVirtualClockGuard g(Start);
    std::atomic<bool> ended{false};
    {
        TFnThread t([&](TFnThread& self) {
            while (!self.Terminated()) Sleep(10);
            ended = true;
        });
        t.Resume();
        Sleep(100);
    }
    EXPECT_TRUE(ended.load());
}

TEST(Thread, ResumeTwiceStartsOnce)
{
    SetMainThread();
    std::atomic<int> runs{0};
    TFnThread t([&](TFnThread&) { ++runs; });
    t.Resume();
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(runs.load(), 1);
    EXPECT_NE(t.ThreadID(), 0u);
}

namespace {
// A clock whose Sleep blocks until released, and which notes whether it was destroyed while a
// caller still slept on it.
struct TGateClock : IClock {
    std::mutex m;
    std::condition_variable cv;
    bool sleeping = false, open = false;
    std::atomic<bool>* destroyedWhileSleeping;
    bool inSleep = false;
    explicit TGateClock(std::atomic<bool>* flag) : destroyedWhileSleeping(flag) {}
    ~TGateClock() override
    {
        if (inSleep) *destroyedWhileSleeping = true;
    }
    TDateTime Now() override { return TDateTime{0}; }
    std::uint32_t GetTickCount() override { return 0; }
    bool WaitUntil(const std::function<bool()>& pred, long long) override { return pred(); }
    void Sleep(unsigned) override
    {
        std::unique_lock<std::mutex> lock(m);
        inSleep = sleeping = true;
        cv.notify_all();
        cv.wait(lock, [&] { return open; });
        inSleep = false;
    }
};
}  // namespace

TEST(RealClock, ASwapDuringASleepKeepsTheSleepersClockAlive)
{
    std::atomic<bool> destroyedWhileSleeping{false};
    auto gate = std::make_shared<TGateClock>(&destroyedWhileSleeping);
    TGateClock* raw = gate.get();
    SetClock(gate);
    gate.reset();
    std::thread sleeper([] { Sleep(10); });
    {
        std::unique_lock<std::mutex> lock(raw->m);
        raw->cv.wait(lock, [&] { return raw->sleeping; });
    }
    SetClock(nullptr);  // the slot lets go of the clock while the sleeper still uses it
    {
        std::lock_guard<std::mutex> lock(raw->m);
        raw->open = true;
        raw->cv.notify_all();
    }
    sleeper.join();
    EXPECT_FALSE(destroyedWhileSleeping);
}
